// A second process for the shared-state tests, built twice: as md_probe.exe and
// as MDS.EXE, so that the library's recognition of the settings program meets a
// real executable name.
//
//   expect k=v ...                 exit 0 when every value reads as given, else 10 + the
//                                  position of the first that differs
//   hold READY QUIT [k=v ...]      set the values, signal event READY, wait for event
//                                  QUIT, exit 100 + the MDS flag as read at start
// Keys: mds (read only), mdk, item, chg, exit.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "win/MessageBox.h"
#include "win/SharedStateBinder.h"

namespace {

bool Split(const char* argument, std::string& key, int& value) {
    const char* equals = std::strchr(argument, '=');
    if (equals == nullptr) return false;
    key.assign(argument, equals);
    value = std::atoi(equals + 1);
    return true;
}

int Read(const SharedStateBinder& md, const std::string& key) {
    if (key == "mds") return md.GetMDSFlag();
    if (key == "mdk") return md.GetMDKFlag();
    if (key == "item") return md.GetItem();
    if (key == "chg") return md.GetChgFlag();
    if (key == "exit") return md.GetExitFlag();
    return -12345;
}

bool Write(const SharedStateBinder& md, const std::string& key, int value) {
    if (key == "mdk") return md.SetMDKFlag(value), true;
    if (key == "item") return md.SetItem(value), true;
    if (key == "chg") return md.SetChgFlag(value), true;
    if (key == "exit") return md.SetExitFlag(value), true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    SetMessageRecorder([](HWND, const std::string& text, MessageKind, UINT) {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return IDOK;
    });
    SharedStateBinder md;
    if (argc < 2 || !md.Load()) return 2;
    const int mdsAtStart = md.GetMDSFlag();

    if (std::strcmp(argv[1], "expect") == 0) {
        for (int i = 2; i < argc; ++i) {
            std::string key;
            int value = 0;
            if (!Split(argv[i], key, value)) return 3;
            const int actual = Read(md, key);
            if (actual != value) {
                std::fprintf(stderr, "%s: expected %d, read %d\n", key.c_str(), value, actual);
                return 10 + i - 2;
            }
        }
        return 0;
    }
    if (std::strcmp(argv[1], "hold") == 0 && argc >= 4) {
        for (int i = 4; i < argc; ++i) {
            std::string key;
            int value = 0;
            if (!Split(argv[i], key, value) || !Write(md, key, value)) return 3;
        }
        HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
        HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, argv[3]);
        if (ready == nullptr || quit == nullptr) return 4;
        SetEvent(ready);
        WaitForSingleObject(quit, 60000);
        md.Unload();
        return 100 + (mdsAtStart != 0 ? 1 : 0);
    }
    return 3;
}
