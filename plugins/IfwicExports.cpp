// The five functions hosts look up by name. Each one keeps every failure
// inside: a host process must never see an exception or a crash from here.

#include <windows.h>

#include <cstdint>

#include "core/ImageHeader.h"
#include "ImageSource.h"
#include "PluginInfoText.h"
#include "win/PluginExports.h"
#ifdef IFWIC_EXTRA_FORMATS
#include "WicDecoders.h"
#endif
#include "WicPicture.h"

namespace {

// What hosts read from a file handle or find in their head buffer.
constexpr DWORD kHeadBytes = 2048;

// Older hosts pass a file handle instead of the head buffer; no buffer lives
// in the lowest 64 KB of an address space, so a value below that is a handle.
bool LooksLikeHandle(DWORD_PTR dw) { return dw < 0x10000; }

int ReadHeadFromHandle(HANDLE file, uint8_t* head) {
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER position;
    if (!SetFilePointerEx(file, zero, &position, FILE_CURRENT)) return 0;
    DWORD read = 0;
    const BOOL ok = ReadFile(file, head, kHeadBytes, &read, nullptr);
    // The host goes on reading from where it stood.
    SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    return ok ? static_cast<int>(read) : 0;
}

// IFWIC.SPI knows its formats by our own header checks; IFWICX.SPI asks the
// decoders of the formats it advertises.
bool TakesHead(LPCSTR filename, const uint8_t* head, size_t size) {
#ifdef IFWIC_EXTRA_FORMATS
    return ExtraFormatTakesHead(filename, head, size);
#else
    (void)filename;
    return IsKnownImageHead(head, size);
#endif
}

int IsSupportedImpl(LPCSTR filename, DWORD_PTR dw) {
    if (dw == 0) return 0;
    if (LooksLikeHandle(dw)) {
        uint8_t head[kHeadBytes] = {};
        const int read = ReadHeadFromHandle(reinterpret_cast<HANDLE>(dw), head);
        return TakesHead(filename, head, static_cast<size_t>(read)) ? 1 : 0;
    }
    return TakesHead(filename, reinterpret_cast<const uint8_t*>(dw), kHeadBytes) ? 1 : 0;
}

int GetPictureInfoImpl(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* info) {
    if (info == nullptr) return spi::kInternalError;
    ImageSource input;
    int result = input.Open(buf, len, flag);
    if (result != spi::kOk) return result;
    ComApartment apartment;
    WicPicture picture;
    result = picture.Open(input.Data(), input.Size());
    if (result != spi::kOk) return result;
    return picture.Describe(info);
}

int GetPictureImpl(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* infoOut, HLOCAL* bitsOut,
                   spi::ProgressCallback progress, LONG_PTR progressData) {
    // Only output as local-memory handles is offered.
    if ((flag >> 8 & 7) != 0) return spi::kNotImplemented;
    ImageSource input;
    int result = input.Open(buf, len, flag);
    if (result != spi::kOk) return result;
    ComApartment apartment;
    WicPicture picture;
    result = picture.Open(input.Data(), input.Size());
    if (result != spi::kOk) return result;
    return picture.Decode(infoOut, bitsOut, progress, progressData);
}

}  // namespace

extern "C" {

int __stdcall GetPluginInfo(int infono, LPSTR buf, int buflen) {
    try {
        return CopyPluginInfo(infono, buf, buflen);
    } catch (...) {
        return 0;
    }
}

int __stdcall IsSupported(LPCSTR filename, DWORD_PTR dw) {
    try {
        return IsSupportedImpl(filename, dw);
    } catch (...) {
        return 0;
    }
}

int __stdcall GetPictureInfo(LPCSTR buf, LONG_PTR len, unsigned int flag, PictureInfo* lpInfo) {
    try {
        return GetPictureInfoImpl(buf, len, flag, lpInfo);
    } catch (...) {
        return spi::kInternalError;
    }
}

int __stdcall GetPicture(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* pHBInfo, HLOCAL* pHBm,
                         spi::ProgressCallback lpPrgressCallback, LONG_PTR lData) {
    if (pHBInfo == nullptr || pHBm == nullptr) return spi::kInternalError;
    *pHBInfo = nullptr;
    *pHBm = nullptr;
    try {
        return GetPictureImpl(buf, len, flag, pHBInfo, pHBm, lpPrgressCallback, lData);
    } catch (...) {
        return spi::kInternalError;
    }
}

int __stdcall GetPreview(LPCSTR /*buf*/, LONG_PTR /*len*/, unsigned int /*flag*/, HLOCAL* pHBInfo, HLOCAL* pHBm,
                         spi::ProgressCallback /*lpPrgressCallback*/, LONG_PTR /*lData*/) {
    if (pHBInfo != nullptr) *pHBInfo = nullptr;
    if (pHBm != nullptr) *pHBm = nullptr;
    return spi::kNotImplemented;
}

}  // extern "C"
