#include "PreviewPicture.h"

#include <cstdlib>

#include "core/PathText.h"
#include "win/DecodedPicture.h"
#include "win/PluginHost.h"

namespace {

// Larger pictures would need more memory than a preview is worth (and than a
// 32-bit process may have): 16384 × 16384 is 1 GB at 32 bits a pixel.
constexpr int64_t kMaxPixels = int64_t{8192} * 8192;

void FillBox(HDC dc, COLORREF colour, PixelSize box) {
    const RECT rect{0, 0, box.width, box.height};
    winui::ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}

}  // namespace

void PreviewPicture::Clear() {
    bitmap_.Reset();
    size_ = {};
    path_.clear();
    loaded_ = false;
    result_ = Result::Empty;
}

PreviewPicture::Result PreviewPicture::Load(PluginHost& plugins, const std::string& path) {
    if (loaded_ && path == path_) return result_;
    Clear();
    path_ = path;
    loaded_ = true;
    if (path.empty()) return result_ = Result::Empty;
    result_ = GetUpperExtension(path) == "BMP" ? LoadBitmapFile(path) : Decode(plugins, path);
    if (result_ != Result::Loaded) bitmap_.Reset();
    return result_;
}

PreviewPicture::Result PreviewPicture::LoadBitmapFile(const std::string& path) {
    bitmap_.Reset(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    if (!bitmap_) return Result::NotABitmap;
    BITMAP info{};
    if (GetObjectA(bitmap_.Get(), sizeof info, &info) == 0) return Result::NotABitmap;
    size_ = {info.bmWidth, std::abs(info.bmHeight)};
    return Result::Loaded;
}

PreviewPicture::Result PreviewPicture::Decode(PluginHost& plugins, const std::string& path) {
    const PluginBitmap decoded(plugins, path);
    switch (decoded.Outcome()) {
        case PluginBitmap::Result::Decoded: break;
        case PluginBitmap::Result::CannotOpen: return Result::CannotOpen;
        case PluginBitmap::Result::NoPlugin: return Result::NoPlugin;
        case PluginBitmap::Result::Failed: return Result::DecodeFailed;
    }
    // The header as a file of it would say, cut to what the blocks hold: GDI
    // then reads nothing beyond them.
    const BITMAPINFO* info = decoded.Info();
    const int32_t width = decoded.Header().width;
    const int32_t height = std::abs(decoded.Layout().height);
    if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) return Result::DecodeFailed;

    // Unpacked once into a bitmap of the screen's kind: palettes and run lengths
    // are GDI's business, and every repaint is a plain copy.
    winui::WindowDC screen(GetDesktopWindow());
    bitmap_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!bitmap_) return Result::DecodeFailed;
    winui::MemoryDC memory(screen.Get());
    winui::ScopedSelect select(memory.Get(), bitmap_.Get());
    if (StretchDIBits(memory.Get(), 0, 0, width, height, 0, 0, width, height, decoded.Bits(), info, DIB_RGB_COLORS,
                      SRCCOPY) == 0) {
        return Result::DecodeFailed;
    }
    size_ = {width, height};
    return Result::Loaded;
}

void PreviewPicture::Draw(HDC dc, int32_t method, COLORREF colour, PixelSize screen, PixelSize box) const {
    FillBox(dc, colour, box);
    if (!bitmap_) return;
    // The virtual screen is read from the system: the full-screen preview and the
    // small one show span across the monitors Windows has now.
    const PixelRect monitors{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                             GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const PreviewLayout layout = LayOutPreview(method, size_, screen, box, monitors);
    if (layout.kind == PreviewKind::Background) return;

    winui::MemoryDC source(dc);
    winui::ScopedSelect select(source.Get(), bitmap_.Get());
    // Colours are dropped, not blended, when the picture shrinks: the default
    // mode would darken a photograph.
    const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (layout.kind == PreviewKind::Tile) {
        // One tile drawn, then laid over the box as a pattern: one copy, however
        // many tiles.
        winui::ScopedGdiObject<HBITMAP> tile(CreateCompatibleBitmap(dc, layout.tileWidth, layout.tileHeight));
        if (tile) {
            winui::MemoryDC tileDc(dc);
            {
                winui::ScopedSelect selectTile(tileDc.Get(), tile.Get());
                SetStretchBltMode(tileDc.Get(), COLORONCOLOR);
                StretchBlt(tileDc.Get(), 0, 0, layout.tileWidth, layout.tileHeight, source.Get(), 0, 0, size_.width,
                           size_.height, SRCCOPY);
            }
            winui::ScopedGdiObject<HBRUSH> pattern(CreatePatternBrush(tile.Get()));
            SetBrushOrgEx(dc, 0, 0, nullptr);
            const RECT rect{0, 0, box.width, box.height};
            FillRect(dc, &rect, pattern.Get());
        }
    } else {
        StretchBlt(dc, layout.destination.x, layout.destination.y, layout.destination.width, layout.destination.height,
                   source.Get(), layout.source.x, layout.source.y, layout.source.width, layout.source.height, SRCCOPY);
    }
    SetStretchBltMode(dc, previousMode);
}
