#pragma once
// Binds MD.dll, the library that holds the few integers all programs of the
// system share, and forwards to its nine exports. The entry points are held for
// the whole process, so any instance forwards: create a temporary where needed.

#include <cstdint>

class SharedStateBinder {
public:
    // LoadLibraryA("MD.dll") and resolve the nine names. On failure shows the
    // ownerless "MD.dll が見つかりません。" box (caption "警告", stop icon) and
    // returns false.
    bool Load();
    // FreeLibrary; the forwarders answer 0 (and do nothing) afterwards.
    void Unload();
    // Whether Load succeeded and Unload has not run since.
    static bool Bound();

    int32_t GetMDSFlag() const;
    int32_t GetMDKFlag() const;
    int32_t SetMDKFlag(int32_t value) const;
    int32_t GetItem() const;
    int32_t SetItem(int32_t value) const;
    int32_t GetChgFlag() const;
    int32_t SetChgFlag(int32_t value) const;
    int32_t GetExitFlag() const;
    int32_t SetExitFlag(int32_t value) const;

    // Our own library's two handle functions, which another MD.dll lacks (see
    // SharedStateAbi.h): whether both were found, and the handles, for the
    // caller to close (NULL without them).
    static bool HasSettingsSignals();
    void* OpenMDSRise() const;
    void* OpenMDSFall() const;
};
