#include "DesktopStyle.h"

#include "ReservationRecord.h"

namespace {

struct StyleOfMethod {
    int32_t method;
    DesktopStyle style;
};

// One row per method with values of its own; the capture reads them back.
constexpr StyleOfMethod kStyles[] = {
    {kMethodCentre, {"0", "0"}}, {kMethodTile, {"0", "1"}}, {kMethodStretch, {"2", "0"}},
    {kMethodFit, {"6", "0"}},    {kMethodFill, {"10", "0"}}, {kMethodSpan, {"22", "0"}},
};

}  // namespace

DesktopStyle DesktopStyleOf(int32_t displayMethod) {
    for (const StyleOfMethod& row : kStyles) {
        if (row.method == displayMethod) return row.style;
    }
    return kStyles[0].style;
}

int32_t DisplayMethodOfDesktop(const std::string& style, const std::string& tile) {
    // Tiling was once said by the style alone.
    if (style == "1") return kMethodTile;
    // "TileWallpaper" tells centre from tile; the other styles ignore it.
    for (const StyleOfMethod& row : kStyles) {
        if (style == row.style.wallpaperStyle && (style != "0" || tile == row.style.tileWallpaper)) return row.method;
    }
    return kMethodStretch;
}
