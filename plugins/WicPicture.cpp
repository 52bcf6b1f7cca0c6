#include "WicPicture.h"

#include <cmath>
#include <cstring>

#include "core/ImageHeader.h"
#include "win/Owned.h"

namespace {

int ResultFromHresult(HRESULT hr) {
    switch (hr) {
    case E_OUTOFMEMORY:
        return spi::kNoMemory;
    case WINCODEC_ERR_COMPONENTNOTFOUND:
    case WINCODEC_ERR_UNKNOWNIMAGEFORMAT:
    case WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT:
    case WINCODEC_ERR_UNSUPPORTEDOPERATION:
        return spi::kUnknownFormat;
    default:
        return spi::kBrokenData;
    }
}

// Dots per inch as the decoder reports them; 0 when the file gives nothing
// sensible.
double SaneDpi(double dpi) {
    return std::isfinite(dpi) && dpi > 0.0 && dpi < 65536.0 ? dpi : 0.0;
}

// Bytes of a 24-bit DIB with rows padded to 4 bytes.
uint64_t DibBytes(uint64_t width, uint64_t height) { return ((width * 3 + 3) & ~static_cast<uint64_t>(3)) * height; }

// Keeps a LocalAlloc block locked while it is filled.
class LockedBlock {
public:
    explicit LockedBlock(HLOCAL handle) : handle_(handle), data_(static_cast<uint8_t*>(LocalLock(handle))) {}
    ~LockedBlock() {
        if (data_ != nullptr) LocalUnlock(handle_);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    uint8_t* Data() const { return data_; }

private:
    HLOCAL handle_;
    uint8_t* data_;
};

// Gives the frame's rows as 24-bit BGR. Frames already in that layout (most
// JPEGs) are copied as they are; the rest go through a converter, straight to
// 24 bits where it can, else (Wine's has no direct way from indexed colours)
// to 32-bit BGRA, whose alpha is dropped here.
class RowReader {
public:
    RowReader() = default;
    ~RowReader() {
        if (scratch_ != nullptr) HeapFree(GetProcessHeap(), 0, scratch_);
    }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    int Open(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width) {
        width_ = width;
        scratch_ = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, static_cast<SIZE_T>(width) * 4));
        if (scratch_ == nullptr) return spi::kNoMemory;
        WICPixelFormatGUID format;
        HRESULT hr = frame->GetPixelFormat(&format);
        if (FAILED(hr)) return ResultFromHresult(hr);
        if (IsEqualGUID(format, GUID_WICPixelFormat24bppBGR)) {
            source_ = frame;
            return spi::kOk;
        }
        // A converter may accept a pair of formats and fail only when asked for
        // pixels, so each way is tried on the first row.
        hr = Convert(factory, frame, GUID_WICPixelFormat24bppBGR);
        if (SUCCEEDED(hr)) return spi::kOk;
        if (hr == E_OUTOFMEMORY) return spi::kNoMemory;
        hr = Convert(factory, frame, GUID_WICPixelFormat32bppBGRA);
        if (FAILED(hr)) return hr == E_OUTOFMEMORY ? spi::kNoMemory : spi::kUnknownFormat;
        viaBgra_ = true;
        return spi::kOk;
    }

    HRESULT CopyRow(UINT y, uint8_t* row) {
        const WICRect rect = {0, static_cast<INT>(y), static_cast<INT>(width_), 1};
        if (!viaBgra_) return source_->CopyPixels(&rect, width_ * 3, width_ * 3, row);
        const HRESULT hr = source_->CopyPixels(&rect, width_ * 4, width_ * 4, scratch_);
        if (FAILED(hr)) return hr;
        const uint8_t* from = scratch_;
        for (UINT x = 0; x < width_; ++x, from += 4, row += 3) {
            row[0] = from[0];
            row[1] = from[1];
            row[2] = from[2];
        }
        return S_OK;
    }

private:
    HRESULT Convert(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, REFWICPixelFormatGUID target) {
        HRESULT hr = factory->CreateFormatConverter(converter_.Put());
        if (FAILED(hr)) return hr;
        hr = converter_->Initialize(frame, target, WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom);
        if (FAILED(hr)) return hr;
        const UINT bytes = IsEqualGUID(target, GUID_WICPixelFormat24bppBGR) ? 3 : 4;
        const WICRect rect = {0, 0, static_cast<INT>(width_), 1};
        hr = converter_->CopyPixels(&rect, width_ * bytes, width_ * bytes, scratch_);
        if (SUCCEEDED(hr)) source_ = converter_.Get();
        return hr;
    }

    ComRef<IWICFormatConverter> converter_;
    IWICBitmapSource* source_ = nullptr;
    uint8_t* scratch_ = nullptr;  // one row of 32-bit pixels
    UINT width_ = 0;
    bool viaBgra_ = false;
};

// Reports progress every this many rows: often enough for a progress bar,
// rarely enough to cost nothing.
constexpr UINT kProgressRows = 128;

}  // namespace

ComApartment::ComApartment() {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    balance_ = hr == S_OK || hr == S_FALSE;
}

ComApartment::~ComApartment() {
    if (balance_) CoUninitialize();
}

int WicPicture::Open(const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0) return spi::kUnknownFormat;
    if (size > 0xFFFFFFFFu) return spi::kNoMemory;
    // Some decoders (Wine's among them) decode the whole picture while they
    // open it, and absurd declared sizes overflow them: such pictures never
    // reach a decoder.
    uint32_t declaredWidth = 0;
    uint32_t declaredHeight = 0;
    if (ReadDeclaredSize(data, size, &declaredWidth, &declaredHeight)) {
        if (declaredWidth == 0 || declaredHeight == 0) return spi::kBrokenData;
        if (DibBytes(declaredWidth, declaredHeight) > kMaxDibBytes) return spi::kNoMemory;
    }
    // Wine's JPEG XR decoder fills what a cut file lacks with black and calls
    // it a success; a wallpaper half black is worse than none.
    if (CheckJxrLayout(data, size) == JxrLayout::Broken) return spi::kBrokenData;

    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory_.Put()));
    if (FAILED(hr)) return spi::kInternalError;
    hr = factory_->CreateStream(stream_.Put());
    if (FAILED(hr)) return ResultFromHresult(hr);
    // WIC only reads through the stream; the cast is the interface's, not a write.
    hr = stream_->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size));
    if (FAILED(hr)) return ResultFromHresult(hr);
    hr = factory_->CreateDecoderFromStream(stream_.Get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder_.Put());
    if (FAILED(hr)) return ResultFromHresult(hr);
    UINT frames = 0;
    hr = decoder_->GetFrameCount(&frames);
    if (FAILED(hr)) return ResultFromHresult(hr);
    if (frames == 0) return spi::kBrokenData;
    hr = decoder_->GetFrame(0, frame_.Put());
    if (FAILED(hr)) return ResultFromHresult(hr);
    hr = frame_->GetSize(&width_, &height_);
    if (FAILED(hr)) return ResultFromHresult(hr);
    if (width_ == 0 || height_ == 0 || width_ > 0x7FFFFFFFu || height_ > 0x7FFFFFFFu) return spi::kBrokenData;
    // Whatever the format, a frame too large to hand over is refused before a
    // pixel is asked for (some decoders allocate the whole picture then).
    if (DibBytes(width_, height_) > kMaxDibBytes) return spi::kNoMemory;
    return spi::kOk;
}

int WicPicture::Describe(PictureInfo* info) {
    double dpiX = 0.0;
    double dpiY = 0.0;
    if (FAILED(frame_->GetResolution(&dpiX, &dpiY))) dpiX = dpiY = 0.0;

    // The picture's own depth, not the 24 bits it is decoded to.
    UINT bits = 24;
    WICPixelFormatGUID format;
    ComRef<IWICComponentInfo> component;
    ComRef<IWICPixelFormatInfo> formatInfo;
    if (SUCCEEDED(frame_->GetPixelFormat(&format)) && SUCCEEDED(factory_->CreateComponentInfo(format, component.Put())) &&
        SUCCEEDED(component->QueryInterface(IID_IWICPixelFormatInfo, reinterpret_cast<void**>(formatInfo.Put())))) {
        UINT reported = 0;
        if (SUCCEEDED(formatInfo->GetBitsPerPixel(&reported)) && reported > 0 && reported <= 128) bits = reported;
    }

    info->left = 0;
    info->top = 0;
    info->width = static_cast<int32_t>(width_);
    info->height = static_cast<int32_t>(height_);
    info->xDensity = static_cast<WORD>(std::lround(SaneDpi(dpiX)));
    info->yDensity = static_cast<WORD>(std::lround(SaneDpi(dpiY)));
    info->colorDepth = static_cast<int16_t>(bits);
    info->hInfo = nullptr;
    return spi::kOk;
}

int WicPicture::Decode(HLOCAL* infoOut, HLOCAL* bitsOut, spi::ProgressCallback progress, LONG_PTR progressData) {
    *infoOut = nullptr;
    *bitsOut = nullptr;
    const uint64_t stride = DibBytes(width_, 1);

    RowReader reader;
    int result = reader.Open(factory_.Get(), frame_.Get(), width_);
    if (result != spi::kOk) return result;

    const SIZE_T imageSize = static_cast<SIZE_T>(stride * height_);
    // Freed on every way out until they are handed to the host.
    ScopedLocalBlock infoBlock(LocalAlloc(LMEM_MOVEABLE, sizeof(BITMAPINFOHEADER)));
    ScopedLocalBlock bitsBlock(LocalAlloc(LMEM_MOVEABLE, imageSize));
    if (!infoBlock || !bitsBlock) return spi::kNoMemory;

    {
        LockedBlock pixels(bitsBlock.Get());
        if (pixels.Data() == nullptr) return spi::kMemoryError;
        if (progress != nullptr && progress(0, static_cast<int>(height_), progressData) != 0) return spi::kAborted;
        const UINT rowBytes = width_ * 3;
        const UINT rowStride = static_cast<UINT>(stride);
        // WIC gives rows top-down; each lands straight in its bottom-up place.
        for (UINT y = 0; y < height_; ++y) {
            uint8_t* row = pixels.Data() + static_cast<size_t>(height_ - 1 - y) * rowStride;
            const HRESULT hr = reader.CopyRow(y, row);
            if (FAILED(hr)) return ResultFromHresult(hr);
            std::memset(row + rowBytes, 0, rowStride - rowBytes);
            if (progress != nullptr && (y + 1) % kProgressRows == 0 &&
                progress(static_cast<int>(y + 1), static_cast<int>(height_), progressData) != 0) {
                return spi::kAborted;
            }
        }
        if (progress != nullptr && progress(static_cast<int>(height_), static_cast<int>(height_), progressData) != 0) {
            return spi::kAborted;
        }
    }

    double dpiX = 0.0;
    double dpiY = 0.0;
    if (FAILED(frame_->GetResolution(&dpiX, &dpiY))) dpiX = dpiY = 0.0;
    {
        LockedBlock header(infoBlock.Get());
        if (header.Data() == nullptr) return spi::kMemoryError;
        BITMAPINFOHEADER bih = {};
        bih.biSize = sizeof(BITMAPINFOHEADER);
        bih.biWidth = static_cast<LONG>(width_);
        bih.biHeight = static_cast<LONG>(height_);
        bih.biPlanes = 1;
        bih.biBitCount = 24;
        bih.biCompression = BI_RGB;
        bih.biSizeImage = static_cast<DWORD>(imageSize);
        bih.biXPelsPerMeter = static_cast<LONG>(std::lround(SaneDpi(dpiX) / 0.0254));
        bih.biYPelsPerMeter = static_cast<LONG>(std::lround(SaneDpi(dpiY) / 0.0254));
        std::memcpy(header.Data(), &bih, sizeof bih);
    }

    *infoOut = infoBlock.Release();
    *bitsOut = bitsBlock.Release();
    return spi::kOk;
}
