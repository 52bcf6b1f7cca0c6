#pragma once
// Another process that holds some state (MD.dll's flags, say) until released or
// killed. Started as "EXE BEFORE READY QUIT AFTER" in its own folder: it signals
// the event named READY when its state is set and ends when QUIT is signalled.

#include <windows.h>

#include <string>

class HeldProcess {
public:
    HeldProcess(const std::string& exe, const std::string& before, const std::string& after) {
        static int serial = 0;
        const std::string tag = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
        const std::string readyName = "mirado_test_ready_" + tag;
        const std::string quitName = "mirado_test_quit_" + tag;
        ready_ = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
        quit_ = CreateEventA(nullptr, TRUE, FALSE, quitName.c_str());
        std::string command = "\"" + exe + "\" " + (before.empty() ? "" : before + " ") + readyName + " " + quitName +
                              (after.empty() ? "" : " " + after);
        const std::string folder = exe.substr(0, exe.find_last_of('\\'));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                           &info)) {
            CloseHandle(info.hThread);
            process_ = info.hProcess;
        }
        // A process that ends before it is ready has failed to start.
        HANDLE both[] = {ready_, process_};
        started_ = process_ != nullptr && WaitForMultipleObjects(2, both, FALSE, 30000) == WAIT_OBJECT_0;
    }
    // Let go as at the end of a test: released, and killed only when it does not end.
    ~HeldProcess() {
        if (process_ != nullptr) {
            SetEvent(quit_);
            if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
            Finish();
        }
        CloseHandle(ready_);
        CloseHandle(quit_);
    }
    HeldProcess(const HeldProcess&) = delete;
    HeldProcess& operator=(const HeldProcess&) = delete;

    bool Started() const { return started_; }

    // Lets it end and returns its exit code (9999 when it did not end in time).
    DWORD Release() {
        if (process_ == nullptr) return 9999;
        SetEvent(quit_);
        return Finish();
    }

    void Kill() {
        if (process_ == nullptr) return;
        TerminateProcess(process_, 1);
        Finish();
    }

private:
    DWORD Finish() {
        DWORD code = 9999;
        if (WaitForSingleObject(process_, 30000) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
        CloseHandle(process_);
        process_ = nullptr;
        return code;
    }

    HANDLE ready_ = nullptr;
    HANDLE quit_ = nullptr;
    HANDLE process_ = nullptr;
    bool started_ = false;
};
