#pragma once
// The picture the previews show, decoded once per change of path (repaints reuse
// it), and the desktop it gives drawn into a box: the 149 × 111 preview, or the
// whole screen.

#include <windows.h>

#include <string>

#include "core/PreviewGeometry.h"
#include "winui/Gdi.h"

class PluginHost;

class PreviewPicture {
public:
    enum class Result {
        Loaded,
        Empty,         // the empty path: no file
        NotABitmap,    // a ".BMP" the system's loader refuses (no message)
        NoPlugin,      // no loaded plug-in reads the format (FindPlugin -1)
        CannotOpen,    // the file cannot be opened (FindPlugin -2)
        DecodeFailed,  // the plug-in failed, or the picture is beyond what GDI takes
    };

    // Loads the path unless it is the one loaded last (then the last result
    // stands). A failure leaves no picture: the previews show the colour alone.
    Result Load(PluginHost& plugins, const std::string& path);
    void Clear();

    bool HasPicture() const { return static_cast<bool>(bitmap_); }
    PixelSize Size() const { return size_; }
    const std::string& Path() const { return path_; }

    // Draws the desktop the picture gives with this method and colour, the
    // screen scaled into box, at (0, 0) of dc.
    void Draw(HDC dc, int32_t method, COLORREF colour, PixelSize screen, PixelSize box) const;

private:
    Result LoadBitmapFile(const std::string& path);
    Result Decode(PluginHost& plugins, const std::string& path);

    std::string path_;
    bool loaded_ = false;  // path_ and result_ describe the last load
    Result result_ = Result::Empty;
    winui::ScopedGdiObject<HBITMAP> bitmap_;
    PixelSize size_;
};
