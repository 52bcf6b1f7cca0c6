#pragma once
// The main dialog's preview (control 1013) and colour swatch (1012), owner-drawn
// so that every repaint draws them from the picture decoded for the path shown:
// the picture, the path that last failed (reported once, then left blank until
// another picture has been shown), the screen whose desktop they show.

#include <windows.h>

#include <string>

#include "PreviewPicture.h"
#include "core/PreviewGeometry.h"
#include "winui/Dialog.h"

class PluginHost;

class PreviewPane {
public:
    explicit PreviewPane(PluginHost& plugins) : plugins_(plugins) {}

    // Once the dialog exists: the preview made 149 × 111 pixels whatever the
    // dialog's font, and the screen's size read.
    void Attach(winui::Dialog& dialog);

    // Decodes path (unless it is the one that failed last: a failure is
    // reported once) and has the preview repainted.
    void LoadPicture(const std::string& path);

    void DrawPreview(const DRAWITEMSTRUCT& item, const std::string& path, int32_t method, COLORREF colour) const;
    static void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF colour);

    const PreviewPicture& Picture() const { return picture_; }
    PixelSize Screen() const { return screen_; }

private:
    PluginHost& plugins_;
    winui::Dialog* dialog_ = nullptr;
    PreviewPicture picture_;
    std::string lastFailedPath_ = " ";  // never a path
    PixelSize screen_{1024, 768};
};
