#pragma once
// The two blocks a plug-in hands back for a decoded picture (information and
// pixels), locked while this lives and freed on every way out. Sizes are what the
// plug-in really allocated: read nothing beyond them.

#include <windows.h>

#include <cstddef>
#include <cstdint>

class DecodedPicture {
public:
    DecodedPicture(HLOCAL info, HLOCAL bits) : infoHandle_(info), bitsHandle_(bits) {
        if (info != nullptr) info_ = static_cast<const uint8_t*>(LocalLock(info));
        if (bits != nullptr) bits_ = static_cast<const uint8_t*>(LocalLock(bits));
    }
    ~DecodedPicture() {
        Release(infoHandle_, info_);
        Release(bitsHandle_, bits_);
    }
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;

    bool Locked() const { return info_ != nullptr && bits_ != nullptr; }
    const uint8_t* Info() const { return info_; }
    const uint8_t* Bits() const { return bits_; }
    // What the plug-in really allocated; never read beyond it.
    size_t InfoBytes() const { return LocalSize(infoHandle_); }
    size_t BitsBytes() const { return LocalSize(bitsHandle_); }

private:
    static void Release(HLOCAL handle, const uint8_t* locked) {
        if (handle == nullptr) return;
        if (locked != nullptr) LocalUnlock(handle);
        LocalFree(handle);
    }

    HLOCAL infoHandle_;
    HLOCAL bitsHandle_;
    const uint8_t* info_ = nullptr;
    const uint8_t* bits_ = nullptr;
};
