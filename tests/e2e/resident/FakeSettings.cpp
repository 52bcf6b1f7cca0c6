// A stand-in for the settings program in the resident changer's end-to-end tests.
// Named MDS.EXE, it loads MD.dll and asks for the MDS flag first, as the real
// one does (the library then reports a settings program running), does what
// HKCU\Software\Vezaru\MiradoTest tells it and ends:
//   "Action"     "change": write the table given by "NewEntry", "NewName0" and
//                "NewData0" ... and raise the change flag; "exit": raise the
//                exit flag; anything else: nothing
//   "HoldEvent"  when given, the name of an event to wait for (at most a minute)
//                before ending, so that a test sees it open for as long as it needs
// and counts its starts in "Started", its process id in "Pid".

#include <windows.h>

#include <string>

#include "core/ProfileValues.h"
#include "win/RegistryStore.h"
#include "win/SharedStateAbi.h"
#include "support/ProfileRoot.h"

namespace {

constexpr const char* kTestKey = "Software\\Vezaru\\MiradoTest";

using SetFlag = md::SetterProc*;
using GetFlag = md::GetterProc*;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RegistryStore test(HKEY_CURRENT_USER, kTestKey);
    SettingsProfile control(test);
    control.WriteInt("", "Started", control.ReadInt("", "Started", 0) + 1);
    control.WriteInt("", "Pid", static_cast<int32_t>(GetCurrentProcessId()));

    HMODULE library = LoadLibraryA("MD.dll");
    if (library == nullptr) return 1;
    if (auto get = reinterpret_cast<GetFlag>(reinterpret_cast<void*>(GetProcAddress(library, "MD_GetMDSFlag")))) get();

    const std::string action = control.ReadString("", "Action", "");
    if (action == "change") {
        RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
        SettingsProfile profile(store);
        const int32_t entry = control.ReadInt("", "NewEntry", 0);
        for (int i = 0; i < entry; ++i) {
            const std::string n = std::to_string(i);
            profile.WriteString(profile::kReserveNameSection, n, control.ReadString("", "NewName" + n, ""));
            profile.WriteString(profile::kReserveDataSection, n, control.ReadString("", "NewData" + n, ""));
        }
        profile.Write(profile::kEntry, entry);
        if (auto set = reinterpret_cast<SetFlag>(reinterpret_cast<void*>(GetProcAddress(library, "MD_SetChgFlag")))) set(1);
    } else if (action == "exit") {
        if (auto set = reinterpret_cast<SetFlag>(reinterpret_cast<void*>(GetProcAddress(library, "MD_SetExitFlag")))) set(1);
    }
    const std::string hold = control.ReadString("", "HoldEvent", "");
    if (!hold.empty()) {
        if (HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, hold.c_str())) {
            WaitForSingleObject(release, 60000);
            CloseHandle(release);
        }
    }
    FreeLibrary(library);
    return 0;
}
