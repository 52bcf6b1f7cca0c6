#include "PreviewPane.h"

#include "Warnings.h"
#include "core/Cp932Text.h"
#include "resource.h"
#include "winui/Gdi.h"

void PreviewPane::Attach(winui::Dialog& dialog) {
    dialog_ = &dialog;
    // The template gives dialog units, which follow the font.
    HWND preview = dialog.Item(IDC_PREVIEW);
    RECT window{}, client{};
    if (preview != nullptr && GetWindowRect(preview, &window) && GetClientRect(preview, &client)) {
        const int width = (window.right - window.left) - client.right + kPreviewBox.width;
        const int height = (window.bottom - window.top) - client.bottom + kPreviewBox.height;
        SetWindowPos(preview, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    winui::WindowDC dc(dialog.Handle());
    screen_ = {GetDeviceCaps(dc.Get(), HORZRES), GetDeviceCaps(dc.Get(), VERTRES)};
}

void PreviewPane::LoadPicture(const std::string& path) {
    if (CompareAsciiNoCase(lastFailedPath_, path) == 0) return;
    const PreviewPicture::Result result = picture_.Load(plugins_, path);
    const SettingsWarning warning = PreviewWarningFor(result);
    if (result == PreviewPicture::Result::Loaded) lastFailedPath_ = " ";
    if (warning != kNoWarning) {
        lastFailedPath_ = path;
        ShowWarning(warning);
    }
    // A failed picture leaves the colour alone, not the picture shown before.
    if (dialog_ != nullptr) InvalidateRect(dialog_->Item(IDC_PREVIEW), nullptr, FALSE);
}

void PreviewPane::DrawPreview(const DRAWITEMSTRUCT& item, const std::string& path, int32_t method,
                              COLORREF colour) const {
    const RECT& area = item.rcItem;
    const PixelSize size{area.right - area.left, area.bottom - area.top};
    // Drawn off screen in one piece, so that a repaint never flickers through the
    // background; the part of the control beyond the 149 × 111 box shows the colour.
    winui::MemoryDC memory(item.hDC);
    winui::ScopedGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(item.hDC, size.width, size.height));
    if (!memory.Get() || !canvas) return;
    winui::ScopedSelect select(memory.Get(), canvas.Get());
    winui::ScopedGdiObject<HBRUSH> background(CreateSolidBrush(colour));
    const RECT whole{0, 0, size.width, size.height};
    FillRect(memory.Get(), &whole, background.Get());
    if (picture_.Path() == path) picture_.Draw(memory.Get(), method, colour, screen_, kPreviewBox);
    BitBlt(item.hDC, area.left, area.top, size.width, size.height, memory.Get(), 0, 0, SRCCOPY);
}

void PreviewPane::DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF colour) {
    winui::ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(item.hDC, &item.rcItem, brush.Get());
}
