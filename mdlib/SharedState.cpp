// MD.dll: a few 32-bit integers that the programs of one logon session share.
//
// The values live in a named mapping in the session's own namespace ("Local\"),
// so with fast user switching each user's programs see their own: one user's
// resident changer never makes another's end, and one user's settings program
// never pauses another's. Two of them belong to a process rather than to the
// session: "MDK runs" and "MDS runs". They are kept with the owner's process id and
// creation time, and read as 0 once that process has died (at once for a process
// that starts later, within a tenth of a second for one that keeps polling), so a
// killed program never blocks the next start. The library recognises MDS by its file name when
// it first calls the library (MDS asks for the MDS flag first thing); MDS calls
// nothing to announce itself. Nothing of this happens under the loader lock: the
// mapping, the lock and the recognition wait for the first call.
//
// Every export is plain C, cheap and never throws: the resident changer asks for
// the MDS flag every 10 ms for as long as it runs, unless it finds the two
// exports beyond the nine, which hand it waitable handles instead: an event that
// is signalled while a settings program holds the MDS flag (so a wait on it ends
// when the flag rises), and that program's process (a wait on it ends when the
// program ends, however it ends, and with it the flag).

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/Cp932Text.h"
#include "win/SharedStateAbi.h"

namespace {

// A process that owns a flag: pid 0 means nobody. The pair is written under the
// cross-process lock, the pid last, so a reader that sees the same pid before and
// after reading the creation time holds a pair that really existed.
struct Owner {
    volatile LONG pid;
    volatile LONG64 created;  // FILETIME of the owner's creation
};

// A fresh mapping is all zeros, and every value must read right from its first
// byte on, whichever process created it: so the item is kept plus one, and its
// zero means -1, "the standard wallpaper", until MDK publishes one.
struct alignas(8) SharedValues {
    Owner mdk;
    volatile LONG mdkValue;
    Owner mds;
    volatile LONG itemPlusOne;
    volatile LONG changed;
    volatile LONG exitRequested;
};

// A 32-bit and a 64-bit program of one session map the same bytes: the layout
// must not depend on the build (MinGW aligns 64-bit members to 8 in both).
static_assert(sizeof(Owner) == 16 && offsetof(Owner, created) == 8, "Owner: same layout in both builds");
static_assert(offsetof(SharedValues, mdkValue) == 16 && offsetof(SharedValues, mds) == 24 &&
                  offsetof(SharedValues, itemPlusOne) == 40 && offsetof(SharedValues, changed) == 44 &&
                  offsetof(SharedValues, exitRequested) == 48 && sizeof(SharedValues) == 56,
              "SharedValues: same layout in both builds");

constexpr const char* kMappingName = "Local\\Vezaru.Mirado.MD.SharedState";
constexpr const char* kLockName = "Local\\Vezaru.Mirado.MD.SharedStateLock";
// Manual reset: set by a settings program when it takes the MDS flag, reset when
// it lets go; one that was killed leaves it set, which the next MD_OpenMDSRise
// clears.
constexpr const char* kSettingsOpenName = "Local\\Vezaru.Mirado.MD.SettingsOpen";

// Used when the session's mapping cannot be had (out of resources): the
// exports keep working for this process alone rather than fail.
SharedValues g_private;

// What one process remembers about an owner, so that a getter called every 10 ms
// neither opens the process anew nor asks the system on every call.
struct OwnerCache {
    LONG pid = 0;
    LONG64 created = 0;
    HANDLE process = nullptr;  // open while the owner is believed alive
    bool known = false;        // pid/created describe a checked owner
    bool alive = false;
    ULONGLONG checkedAt = 0;   // tick of the last wait on process
};

// A wait on a process handle is a round trip to the system (about 50 us under
// Wine); a live owner is asked again only after this long, so a killed one reads
// as gone within this time, which is also how often MDS watches MDK.
constexpr ULONGLONG kRecheckMs = 100;

struct ProcessState {
    DWORD pid = 0;
    LONG64 created = 0;
    HANDLE mapping = nullptr;
    SharedValues* view = nullptr;  // the session's values, or g_private
    HANDLE lock = nullptr;         // named mutex shared by the session's processes
    HANDLE settingsOpen = nullptr; // kSettingsOpenName
    SRWLOCK cacheLock = SRWLOCK_INIT;
    OwnerCache mdkCache;
    OwnerCache mdsCache;
};

ProcessState g_process;
INIT_ONCE g_attached = INIT_ONCE_STATIC_INIT;
// The view once Attach has finished, claim included; read without the one-time
// initialisation's call, since the resident changer asks a hundred times a second.
SharedValues* g_ready = nullptr;

// Held for a few instructions only; abandoned by a killed holder, which the next
// waiter simply inherits. A wait that times out goes ahead without the lock
// rather than hang a caller that runs on a user-interface thread.
class CrossProcessLock {
public:
    CrossProcessLock() {
        if (g_process.lock == nullptr) return;
        const DWORD rc = WaitForSingleObject(g_process.lock, 2000);
        held_ = rc == WAIT_OBJECT_0 || rc == WAIT_ABANDONED;
    }
    ~CrossProcessLock() {
        if (held_) ReleaseMutex(g_process.lock);
    }
    CrossProcessLock(const CrossProcessLock&) = delete;
    CrossProcessLock& operator=(const CrossProcessLock&) = delete;

private:
    bool held_ = false;
};

LONG64 ToInt64(const FILETIME& t) {
    return static_cast<LONG64>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

LONG LoadLong(const volatile LONG& value) { return __atomic_load_n(&value, __ATOMIC_ACQUIRE); }

void StoreLong(volatile LONG& target, LONG value) { __atomic_store_n(&target, value, __ATOMIC_RELEASE); }

// A 64-bit read that does not tear in the 32-bit build either.
LONG64 LoadLong64(volatile LONG64& value) { return InterlockedCompareExchange64(&value, 0, 0); }

bool ReadOwner(Owner& owner, LONG& pid, LONG64& created) {
    for (int attempt = 0; attempt < 64; ++attempt) {
        const LONG before = LoadLong(owner.pid);
        if (before == 0) return false;
        created = LoadLong64(owner.created);
        if (LoadLong(owner.pid) == before) {
            pid = before;
            return true;
        }
    }
    return false;  // a writer keeps changing it: nobody settled owns it
}

// Callers hold the cross-process lock.
void WriteOwner(Owner& owner, LONG pid, LONG64 created) {
    StoreLong(owner.pid, 0);
    InterlockedExchange64(&owner.created, created);
    StoreLong(owner.pid, pid);
}

bool IsSelf(LONG pid, LONG64 created) {
    return static_cast<DWORD>(pid) == g_process.pid && created == g_process.created;
}

void Forget(OwnerCache& cache) {
    if (cache.process != nullptr) CloseHandle(cache.process);
    cache = OwnerCache{};
}

// Whether the process (pid, created) still runs. A pid that now belongs to a
// younger process does not count: the creation time must match. fresh asks the
// system even when the last answer is recent.
bool OwnerAlive(OwnerCache& cache, LONG pid, LONG64 created, bool fresh = false) {
    if (IsSelf(pid, created)) return true;
    AcquireSRWLockExclusive(&g_process.cacheLock);
    bool alive = false;
    bool sure = true;
    if (cache.known && cache.pid == pid && cache.created == created) {
        const ULONGLONG now = GetTickCount64();
        if (cache.process != nullptr && !fresh && now - cache.checkedAt < kRecheckMs) {
            alive = true;
        } else if (cache.process != nullptr && WaitForSingleObject(cache.process, 0) == WAIT_TIMEOUT) {
            alive = true;
            cache.checkedAt = now;
        } else if (cache.process != nullptr) {
            CloseHandle(cache.process);
            cache.process = nullptr;
            cache.alive = false;
        } else {
            alive = cache.alive;
        }
    } else {
        Forget(cache);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
        if (process == nullptr) {
            // A process we may not open still exists; only a vanished pid is dead.
            sure = GetLastError() != ERROR_ACCESS_DENIED;
            alive = !sure;
        } else {
            FILETIME creation, exit, kernel, user;
            if (GetProcessTimes(process, &creation, &exit, &kernel, &user) && ToInt64(creation) == created &&
                WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
                alive = true;
                cache.process = process;
                cache.checkedAt = GetTickCount64();
            } else {
                CloseHandle(process);
            }
        }
        if (sure) {
            cache.known = true;
            cache.pid = pid;
            cache.created = created;
            cache.alive = alive;
        }
    }
    ReleaseSRWLockExclusive(&g_process.cacheLock);
    return alive;
}

// The owner of a flag, if it still runs.
bool LiveOwner(Owner& owner, OwnerCache& cache, LONG& pid, LONG64& created) {
    return ReadOwner(owner, pid, created) && OwnerAlive(cache, pid, created);
}

// Whether the executable that loads us is MDS.EXE, in any letter case (ASCII
// letters only: a double-byte name is never "MDS.EXE").
bool LoadedBySettingsProgram() {
    char path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return false;
    try {
        return CompareAsciiNoCase(LastPathComponent(std::string_view(path, length)), "MDS.EXE") == 0;
    } catch (...) {
        return false;  // out of memory for a short name: not taken for the settings program
    }
}

void ClaimSettingsFlagIfFirst(SharedValues& shared) {
    // The first MDS becomes the owner of the MDS flag; a later one, while the
    // first still runs, finds the flag owned by someone else and reads it as set.
    CrossProcessLock lock;
    LONG pid = 0;
    LONG64 created = 0;
    if (!LiveOwner(shared.mds, g_process.mdsCache, pid, created)) {
        WriteOwner(shared.mds, static_cast<LONG>(g_process.pid), g_process.created);
        if (g_process.settingsOpen != nullptr) SetEvent(g_process.settingsOpen);
    }
}

// A handle of this process's own to the object, for a caller to wait on and close.
HANDLE Duplicate(HANDLE source) {
    HANDLE copy = nullptr;
    if (source == nullptr || !DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &copy, SYNCHRONIZE,
                                              FALSE, 0)) {
        return nullptr;
    }
    return copy;
}

BOOL CALLBACK Attach(INIT_ONCE*, void*, void**) {
    g_process.pid = GetCurrentProcessId();
    FILETIME creation, exit, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user)) {
        g_process.created = ToInt64(creation);
    }
    g_process.lock = CreateMutexA(nullptr, FALSE, kLockName);
    g_process.settingsOpen = CreateEventA(nullptr, TRUE, FALSE, kSettingsOpenName);
    g_process.mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(SharedValues), kMappingName);
    if (g_process.mapping != nullptr) {
        g_process.view = static_cast<SharedValues*>(
            MapViewOfFile(g_process.mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, sizeof(SharedValues)));
    }
    if (g_process.view == nullptr) g_process.view = &g_private;
    if (LoadedBySettingsProgram()) ClaimSettingsFlagIfFirst(*g_process.view);
    __atomic_store_n(&g_ready, g_process.view, __ATOMIC_RELEASE);
    return TRUE;
}

// The session's values, attached at the first call of any export.
SharedValues& Shared() {
    if (SharedValues* view = __atomic_load_n(&g_ready, __ATOMIC_ACQUIRE)) return *view;
    InitOnceExecuteOnce(&g_attached, Attach, nullptr, nullptr);
    return *g_process.view;
}

void Detach(bool processEnding) {
    if (g_process.view == nullptr) return;  // never called: nothing to undo
    // A settings program that ends lets go of its flag at once, without the
    // cross-process lock: the pid alone says who owns it, and only the owner
    // clears it.
    LONG pid = 0;
    LONG64 created = 0;
    SharedValues& shared = *g_process.view;
    if (ReadOwner(shared.mds, pid, created) && IsSelf(pid, created)) {
        // The event first: a settings program that takes the flag once it is
        // free sets the event after this.
        if (g_process.settingsOpen != nullptr) ResetEvent(g_process.settingsOpen);
        InterlockedCompareExchange(&shared.mds.pid, 0, pid);
    }
    // The system takes every handle and view back from an ending process.
    if (processEnding) return;
    Forget(g_process.mdkCache);
    Forget(g_process.mdsCache);
    __atomic_store_n(&g_ready, nullptr, __ATOMIC_RELEASE);
    if (g_process.view != &g_private) UnmapViewOfFile(g_process.view);
    g_process.view = nullptr;
    if (g_process.mapping != nullptr) CloseHandle(g_process.mapping);
    g_process.mapping = nullptr;
    if (g_process.lock != nullptr) CloseHandle(g_process.lock);
    g_process.lock = nullptr;
    if (g_process.settingsOpen != nullptr) CloseHandle(g_process.settingsOpen);
    g_process.settingsOpen = nullptr;
}

}  // namespace

extern "C" {

// The exports' definitions below must have the types callers look them up with.
md::GetterProc MD_GetMDSFlag, MD_GetMDKFlag, MD_GetItem, MD_GetChgFlag, MD_GetExitFlag;
md::SetterProc MD_SetMDKFlag, MD_SetItem, MD_SetChgFlag, MD_SetExitFlag;
md::HandleProc MD_OpenMDSRise, MD_OpenMDSFall;

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        Detach(reserved != nullptr);
    }
    return TRUE;
}

int32_t __cdecl MD_GetMDSFlag() noexcept {
    SharedValues& shared = Shared();
    LONG pid = 0;
    LONG64 created = 0;
    if (!LiveOwner(shared.mds, g_process.mdsCache, pid, created)) return 0;
    return IsSelf(pid, created) ? 0 : 1;
}

int32_t __cdecl MD_GetMDKFlag() noexcept {
    SharedValues& shared = Shared();
    const LONG value = LoadLong(shared.mdkValue);
    if (value == 0) return 0;
    LONG pid = 0;
    LONG64 created = 0;
    return LiveOwner(shared.mdk, g_process.mdkCache, pid, created) ? value : 0;
}

int32_t __cdecl MD_SetMDKFlag(int32_t value) noexcept {
    SharedValues& shared = Shared();
    CrossProcessLock lock;
    if (value == 0) {
        StoreLong(shared.mdkValue, 0);
        StoreLong(shared.mdk.pid, 0);
        return 0;
    }
    LONG pid = 0;
    LONG64 created = 0;
    const bool owned = ReadOwner(shared.mdk, pid, created) && IsSelf(pid, created);
    if (!owned) {
        // An exit request was meant for an MDK that is gone; a fresh one must not
        // end on its first tick because of it.
        StoreLong(shared.exitRequested, 0);
        WriteOwner(shared.mdk, static_cast<LONG>(g_process.pid), g_process.created);
    }
    StoreLong(shared.mdkValue, value);
    return value;
}

int32_t __cdecl MD_GetItem() noexcept {
    return static_cast<int32_t>(static_cast<uint32_t>(LoadLong(Shared().itemPlusOne)) - 1u);
}

int32_t __cdecl MD_SetItem(int32_t value) noexcept {
    StoreLong(Shared().itemPlusOne, static_cast<LONG>(static_cast<uint32_t>(value) + 1u));
    return value;
}

int32_t __cdecl MD_GetChgFlag() noexcept { return LoadLong(Shared().changed); }

int32_t __cdecl MD_SetChgFlag(int32_t value) noexcept {
    StoreLong(Shared().changed, value);
    return value;
}

int32_t __cdecl MD_GetExitFlag() noexcept { return LoadLong(Shared().exitRequested); }

int32_t __cdecl MD_SetExitFlag(int32_t value) noexcept {
    StoreLong(Shared().exitRequested, value);
    return value;
}

// The settings program's event (see kSettingsOpenName), for the caller to close:
// signalled while a settings program holds the MDS flag. A signal left by one
// that was killed is cleared first. NULL when the library has no event.
void* __cdecl MD_OpenMDSRise() noexcept {
    SharedValues& shared = Shared();
    if (g_process.settingsOpen == nullptr) return nullptr;
    {
        CrossProcessLock lock;
        LONG pid = 0;
        LONG64 created = 0;
        if (!ReadOwner(shared.mds, pid, created) || !OwnerAlive(g_process.mdsCache, pid, created, true)) {
            ResetEvent(g_process.settingsOpen);
        }
    }
    return Duplicate(g_process.settingsOpen);
}

// The process of the settings program that holds the MDS flag, for the caller to
// close: signalled when it ends. NULL when the flag reads 0 (asked afresh, so a
// following MD_GetMDSFlag reads 0 too), or when that process may not be opened.
void* __cdecl MD_OpenMDSFall() noexcept {
    SharedValues& shared = Shared();
    LONG pid = 0;
    LONG64 created = 0;
    if (!ReadOwner(shared.mds, pid, created) || IsSelf(pid, created)) return nullptr;
    if (!OwnerAlive(g_process.mdsCache, pid, created, true)) return nullptr;
    AcquireSRWLockExclusive(&g_process.cacheLock);
    const OwnerCache& cache = g_process.mdsCache;
    HANDLE process = cache.pid == pid && cache.created == created ? Duplicate(cache.process) : nullptr;
    ReleaseSRWLockExclusive(&g_process.cacheLock);
    return process;
}

}  // extern "C"
