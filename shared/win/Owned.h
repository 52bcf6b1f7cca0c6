#pragma once
// The owner of one system handle: it lets the handle go on every way out of the
// scope that holds it. Move-only. Free names how the handle is let go
// (Free{}(handle)) and which values hold no handle (Free::Holds(handle)); most
// handles are empty when NULL (NullIsNoHandle).

#include <windows.h>

#include <utility>

template <class T, class Free>
class Owned {
public:
    explicit Owned(T handle = nullptr) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    T Get() const { return handle_; }
    explicit operator bool() const { return Free::Holds(handle_); }
    T Release() { return std::exchange(handle_, nullptr); }
    void Reset(T handle = nullptr) {
        if (Free::Holds(handle_)) Free{}(handle_);
        handle_ = handle;
    }

private:
    T handle_;
};

struct NullIsNoHandle {
    template <class T>
    static bool Holds(T handle) {
        return handle != nullptr;
    }
};

// Kernel objects: files, events, mutexes, processes, threads.
struct CloseKernelHandle {
    // CreateFile answers INVALID_HANDLE_VALUE where the other calls answer NULL.
    static bool Holds(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ScopedHandle = Owned<HANDLE, CloseKernelHandle>;

// A LocalAlloc block until it is handed over (Release) to whoever frees it.
struct FreeLocalBlock : NullIsNoHandle {
    void operator()(HLOCAL block) const { LocalFree(block); }
};
using ScopedLocalBlock = Owned<HLOCAL, FreeLocalBlock>;
