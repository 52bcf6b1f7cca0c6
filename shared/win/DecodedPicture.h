#pragma once
// A picture decoded by the import plug-ins: the two blocks a plug-in hands back
// (information and pixels), locked while this lives and freed on every way out,
// and the same picture laid out as a bitmap file would hold it. Sizes are what
// the plug-in really allocated: nothing is read beyond them.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/TempBitmap.h"

#include "PluginHost.h"

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

// A file decoded by whichever loaded plug-in reads it, looked up for this
// decode, and planned as a bitmap file: the head of the file (file header,
// information header, colours) and the plug-in's pixel block, which holds at
// least Layout().imageSize bytes.
class PluginBitmap {
public:
    using Result = PluginResult;

    PluginBitmap(PluginHost& plugins, const std::string& path);

    Result Outcome() const { return result_; }
    const DibHeader& Header() const { return header_; }
    const TempBitmapLayout& Layout() const { return layout_; }
    const std::vector<uint8_t>& Head() const { return head_; }
    // The information header and colours within Head(), as GDI takes them.
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(head_.data() + kBitmapFileHeaderSize); }
    const uint8_t* Bits() const { return blocks_->Bits(); }

private:
    Result result_ = Result::Failed;
    std::optional<DecodedPicture> blocks_;
    DibHeader header_;
    TempBitmapLayout layout_;
    std::vector<uint8_t> head_;
};
