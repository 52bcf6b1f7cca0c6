#include "ImageSource.h"

#include "win/Owned.h"
#include "win/PluginAbi.h"

namespace {

// No encoded wallpaper comes near this; a larger file is refused before it is
// read rather than exhausting a 32-bit host's address space.
constexpr uint64_t kMaxEncodedBytes = 256ull * 1024 * 1024;

}  // namespace

ImageSource::~ImageSource() {
    if (owned_ != nullptr) HeapFree(GetProcessHeap(), 0, owned_);
}

int ImageSource::Open(LPCSTR buf, LONG_PTR len, unsigned int flag) {
    switch (flag & spi::kInputMask) {
    case spi::kInputMemory:
        if (len <= 0) return spi::kOk;  // nothing to recognise
        if (buf == nullptr) return spi::kInternalError;
        data_ = reinterpret_cast<const uint8_t*>(buf);
        size_ = static_cast<size_t>(len);
        return spi::kOk;
    case spi::kInputFile:
        if (buf == nullptr) return spi::kFileReadError;
        break;
    default:
        return spi::kNotImplemented;
    }

    // The ANSI call reads the host's code page 932 name as it is.
    const ScopedHandle file(CreateFileA(buf, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return spi::kFileReadError;
    LARGE_INTEGER fileSize;
    if (!GetFileSizeEx(file.Get(), &fileSize)) return spi::kFileReadError;
    const uint64_t offset = len > 0 ? static_cast<uint64_t>(len) : 0;
    const uint64_t total = static_cast<uint64_t>(fileSize.QuadPart);
    if (offset >= total) {
        size_ = 0;  // nothing after the offset: no format to recognise
        data_ = nullptr;
        return spi::kOk;
    }
    const uint64_t wanted = total - offset;
    if (wanted > kMaxEncodedBytes) return spi::kNoMemory;

    LARGE_INTEGER start;
    start.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return spi::kFileReadError;
    owned_ = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(wanted)));
    if (owned_ == nullptr) return spi::kNoMemory;

    // The file may shrink while it is read: keep what arrived.
    size_t got = 0;
    while (got < wanted) {
        const DWORD chunk = static_cast<DWORD>(wanted - got > (1u << 24) ? (1u << 24) : wanted - got);
        DWORD read = 0;
        if (!ReadFile(file.Get(), owned_ + got, chunk, &read, nullptr)) return spi::kFileReadError;
        if (read == 0) break;
        got += read;
    }
    data_ = owned_;
    size_ = got;
    return spi::kOk;
}
