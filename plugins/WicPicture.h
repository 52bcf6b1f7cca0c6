#pragma once
// One encoded picture opened through the system's imaging component (WIC):
// its first frame described, or decoded into the bottom-up 24-bit DIB that
// hosts of import plug-ins expect.

#include <windows.h>
#include <wincodec.h>

#include <cstddef>
#include <cstdint>

#include "win/PluginAbi.h"

// Joins the calling thread to COM for the lifetime of the object unless the
// thread already had an apartment of another kind, which serves just as well.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool balance_ = false;
};

template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_ != nullptr) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return p_; }
    T* Get() const { return p_; }
    T** Put() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
        return &p_;
    }

private:
    T* p_ = nullptr;
};

class WicPicture {
public:
    // A DIB larger than this is refused before anything is allocated: it is
    // far beyond any screen, and a 32-bit host could not hold it anyway.
    static constexpr uint64_t kMaxDibBytes = 256ull * 1024 * 1024;

    // The bytes must stay alive and unchanged while the object lives (the
    // caller's COM apartment too). Returns a plug-in result code.
    int Open(const uint8_t* data, size_t size);

    int Describe(PictureInfo* info);

    // On success the first handle holds a BITMAPINFOHEADER (24 bits, BI_RGB,
    // biSizeImage filled), the second the pixel rows bottom-up, both
    // LMEM_MOVEABLE; on failure both stay NULL.
    int Decode(HLOCAL* infoOut, HLOCAL* bitsOut, spi::ProgressCallback progress, LONG_PTR progressData);

private:
    ComRef<IWICImagingFactory> factory_;
    ComRef<IWICStream> stream_;
    ComRef<IWICBitmapDecoder> decoder_;
    ComRef<IWICBitmapFrameDecode> frame_;
    UINT width_ = 0;
    UINT height_ = 0;
};
