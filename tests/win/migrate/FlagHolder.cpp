// A second process for the migration tests: it loads MD.dll, marks MDK as
// running (or, built as MDS.EXE, simply runs as the settings program), signals
// the event named first on its command line, and waits for the second.
//
//   migrate_flag_holder.exe READY QUIT mdk    hold the MDK flag
//   MDS.EXE READY QUIT                         be the settings program

#include <windows.h>

#include <cstring>
#include <string>

#include "win/MessageBox.h"
#include "win/Owned.h"
#include "win/SharedStateBinder.h"

int main(int argc, char** argv) {
    SetMessageRecorder([](HWND, const std::string&, MessageKind, UINT) { return IDOK; });
    SharedStateBinder md;
    if (argc < 3 || !md.Load()) return 2;
    // What the settings program asks first; built as MDS.EXE, this is the call at
    // which the library takes it for the settings program.
    md.GetMDSFlag();
    const bool holdMdk = argc > 3 && std::strcmp(argv[3], "mdk") == 0;
    if (holdMdk) md.SetMDKFlag(1);

    const ScopedHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]));
    const ScopedHandle quit(OpenEventA(SYNCHRONIZE, FALSE, argv[2]));
    if (!ready || !quit) return 3;
    SetEvent(ready.Get());
    // Bounded, so that a test that died never leaves this process behind for long.
    WaitForSingleObject(quit.Get(), 60000);
    if (holdMdk) md.SetMDKFlag(0);
    return 0;
}
