#pragma once
// The whole programs as the end-to-end tests drive them: started from a folder,
// their dialogs found by process, class and caption, and MD.dll's flags as every
// other program of the session sees them.

#include <windows.h>

#include <string>

#include "win/SharedStateAbi.h"

struct Process {
    HANDLE handle = nullptr;
    DWORD id = 0;

    bool Running() const { return handle != nullptr && WaitForSingleObject(handle, 0) == WAIT_TIMEOUT; }
};

// Starts folder\name with the folder (or currentFolder, when given) as its
// current folder; an empty Process on failure.
inline Process StartProgram(const std::string& folder, const std::string& name,
                            const std::string& currentFolder = std::string()) {
    std::string command = "\"" + folder + "\\" + name + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const std::string& current = currentFolder.empty() ? folder : currentFolder;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, current.c_str(), &startup, &info)) {
        return {};
    }
    CloseHandle(info.hThread);
    return {info.hProcess, info.dwProcessId};
}

// Ends a process that is still running and closes its handle.
inline void EndProgram(Process& process) {
    if (process.handle == nullptr) return;
    if (WaitForSingleObject(process.handle, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process.handle, 0);
        WaitForSingleObject(process.handle, 5000);
    }
    CloseHandle(process.handle);
    process = {};
}

struct ProgramWindowSearch {
    DWORD id;
    const char* className;
    const char* caption;
    HWND found;
};

// A named stdcall callback: the 32-bit build cannot turn a lambda into one.
inline BOOL CALLBACK MatchProgramWindow(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<ProgramWindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if ((s->id == 0 || owner == s->id) && std::string(cls) == s->className &&
        (s->caption == nullptr || std::string(text) == s->caption)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A top-level window of the process (any process when id is 0) with the class
// (a dialog: "#32770") and, when given, the caption.
inline HWND FindProgramWindow(DWORD id, const char* className, const char* caption = nullptr) {
    ProgramWindowSearch search{id, className, caption, nullptr};
    EnumWindows(MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The text of a message box's message (its static control 0xFFFF).
inline std::string MessageBoxText(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

// MD.dll as the other programs see it.
class SharedFlags {
public:
    SharedFlags() : library_(LoadLibraryA("MD.dll")) {}
    ~SharedFlags() {
        if (library_ != nullptr) FreeLibrary(library_);
    }
    SharedFlags(const SharedFlags&) = delete;
    SharedFlags& operator=(const SharedFlags&) = delete;

    int Get(const char* name) const {
        auto f = reinterpret_cast<md::GetterProc*>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        return f != nullptr ? f() : -999;
    }
    void Set(const char* name, int value) const {
        auto f = reinterpret_cast<md::SetterProc*>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        if (f != nullptr) f(value);
    }
    bool Loaded() const { return library_ != nullptr; }

private:
    HMODULE library_;
};
