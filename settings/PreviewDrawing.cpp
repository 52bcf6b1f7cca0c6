// The small preview (control 1013) and the colour swatch (1012): owner-drawn, so
// that every repaint draws them from the picture decoded for the current path.

#include "SettingsDialog.h"
#include "Warnings.h"
#include "core/Cp932Text.h"
#include "resource.h"
#include "winui/Gdi.h"

int SettingsDialog::DrawPreview() {
    // A path that failed is reported once and then left blank, until another
    // picture has been shown.
    if (CompareAsciiNoCase(lastFailedPath_, currentPath_) == 0) return 0;
    const PreviewPicture::Result result = picture_.Load(plugins_, currentPath_);
    const int warning = PreviewWarningFor(result);
    if (result == PreviewPicture::Result::Loaded) lastFailedPath_ = " ";
    if (warning != kNoWarning) {
        lastFailedPath_ = currentPath_;
        ShowWarning(warning);
    }
    const int drawn =
        result == PreviewPicture::Result::Loaded || result == PreviewPicture::Result::Empty ? 1 : 0;
    // A failed picture leaves the colour alone, not the picture shown before.
    InvalidateRect(Item(IDC_PREVIEW), nullptr, FALSE);
    return drawn;
}

void SettingsDialog::FillWithBackground(int id) { InvalidateRect(Item(id), nullptr, FALSE); }

void SettingsDialog::DrawPreviewItem(DRAWITEMSTRUCT& item) {
    const RECT& area = item.rcItem;
    const PixelSize size{area.right - area.left, area.bottom - area.top};
    // Drawn off screen in one piece, so that a repaint never flickers through the
    // background; the part of the control beyond the 149 × 111 box shows the colour.
    winui::MemoryDC memory(item.hDC);
    winui::ScopedGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(item.hDC, size.width, size.height));
    if (!memory.Get() || !canvas) return;
    winui::ScopedSelect select(memory.Get(), canvas.Get());
    winui::ScopedGdiObject<HBRUSH> background(CreateSolidBrush(currentColour_));
    const RECT whole{0, 0, size.width, size.height};
    FillRect(memory.Get(), &whole, background.Get());
    if (picture_.Path() == currentPath_) {
        picture_.Draw(memory.Get(), currentMethod_, currentColour_, {screen_.cx, screen_.cy}, kPreviewBox);
    }
    BitBlt(item.hDC, area.left, area.top, size.width, size.height, memory.Get(), 0, 0, SRCCOPY);
}

void SettingsDialog::DrawSwatchItem(DRAWITEMSTRUCT& item) {
    winui::ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(currentColour_));
    FillRect(item.hDC, &item.rcItem, brush.Get());
}

void SettingsDialog::FitPreviewToBox() {
    // The template gives dialog units, which follow the font; the preview is
    // 149 × 111 pixels whatever the font.
    HWND preview = Item(IDC_PREVIEW);
    RECT window{}, client{};
    if (preview == nullptr || !GetWindowRect(preview, &window) || !GetClientRect(preview, &client)) return;
    const int width = (window.right - window.left) - client.right + kPreviewBox.width;
    const int height = (window.bottom - window.top) - client.bottom + kPreviewBox.height;
    SetWindowPos(preview, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
