#include "PreviewGeometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "ReservationRecord.h"

namespace {

constexpr int64_t kMax = std::numeric_limits<int32_t>::max();

int32_t Narrow(int64_t value) { return static_cast<int32_t>(std::min(value, kMax)); }

// A picture's extent; a top-down bitmap gives its height negative.
int64_t Extent(int32_t value) { return std::min<int64_t>(value < 0 ? -static_cast<int64_t>(value) : value, kMax); }

// value × box / screen, truncated: the scaled size on the box.
int64_t Scaled(int64_t value, int64_t screen, int64_t box) { return value * box / screen; }

struct Span {
    int32_t sourceAt, sourceLength, at, length;
};

// One axis of the centred layout.
Span CentreSpan(int64_t picture, int64_t screen, int64_t box) {
    if (screen < picture) return {Narrow((picture - screen) / 2), Narrow(screen), 0, Narrow(box)};
    const int64_t length = Scaled(picture, screen, box);
    return {0, Narrow(picture), Narrow((box - length) / 2), Narrow(length)};
}

// One axis of the fitted picture on the screen, scaled to the box: the picture
// spans `length` of the screen's `screen` pixels.
Span FitSpan(int64_t length, int64_t screen, int64_t box) {
    length = std::max<int64_t>(1, length);
    return {0, 0, Narrow((screen - length) / 2 * box / screen), Narrow(std::max<int64_t>(1, Scaled(length, screen, box)))};
}

// The part of the picture (w × h) that shows on the primary screen (W × H) when
// the picture covers `area`, a rectangle relative to the screen's corner that
// holds it, with its proportions kept and its overflow cut evenly.
PixelRect CoveredPart(int64_t w, int64_t h, int64_t W, int64_t H, PixelRect area) {
    const int64_t areaW = area.width, areaH = area.height;
    // Picture pixels per screen pixel, num / den: the smaller of w / areaW and h / areaH.
    const bool byWidth = w * areaH <= h * areaW;
    const int64_t num = byWidth ? w : h, den = byWidth ? areaW : areaH;
    const int64_t coveredW = std::min(w, areaW * num / den), coveredH = std::min(h, areaH * num / den);
    const auto part = [&](int64_t extent, int64_t covered, int64_t offset, int64_t length) {
        const int64_t size = std::clamp<int64_t>(length * num / den, 1, extent);
        const int64_t at = std::clamp<int64_t>((extent - covered) / 2 + offset * num / den, 0, extent - size);
        return std::make_pair(Narrow(at), Narrow(size));
    };
    const auto [x, width] = part(w, coveredW, -int64_t{area.x}, W);
    const auto [y, height] = part(h, coveredH, -int64_t{area.y}, H);
    return {x, y, width, height};
}

}  // namespace

PreviewLayout LayOutPreview(int32_t displayMethod, PixelSize picture, PixelSize screen, PixelSize box,
                            PixelRect virtualScreen) {
    PreviewLayout layout;
    const int64_t w = Extent(picture.width), h = Extent(picture.height);
    if (w <= 0 || h <= 0 || screen.width <= 0 || screen.height <= 0 || box.width <= 0 || box.height <= 0) return layout;

    switch (displayMethod) {
    case kMethodCentre:
    case kMethodStretchWidth:
    case kMethodStretchHeight: {
        const Span across = CentreSpan(w, screen.width, box.width);
        const Span down = CentreSpan(h, screen.height, box.height);
        layout.kind = PreviewKind::Centre;
        layout.source = {across.sourceAt, down.sourceAt, across.sourceLength, down.sourceLength};
        layout.destination = {across.at, down.at, across.length, down.length};
        break;
    }
    case kMethodTile:
        // A picture smaller than one pixel of the box still steps by a pixel.
        layout.kind = PreviewKind::Tile;
        layout.tileWidth = Narrow(std::max<int64_t>(1, Scaled(w, screen.width, box.width)));
        layout.tileHeight = Narrow(std::max<int64_t>(1, Scaled(h, screen.height, box.height)));
        // Columns start at x while x <= width, rows at y while y + 1 <= height.
        layout.columns = box.width / layout.tileWidth + 1;
        layout.rows = (box.height - 1) / layout.tileHeight + 1;
        break;
    case kMethodStretch:
        layout.kind = PreviewKind::Stretch;
        layout.source = {0, 0, Narrow(w), Narrow(h)};
        layout.destination = {0, 0, box.width, box.height};
        break;
    case kMethodFit: {
        // Scaled by the screen's width when W / w <= H / h, by its height otherwise.
        const bool byWidth = int64_t{screen.width} * h <= int64_t{screen.height} * w;
        const int64_t d = byWidth ? screen.width : w * screen.height / h;
        const int64_t e = byWidth ? h * screen.width / w : screen.height;
        const Span across = FitSpan(d, screen.width, box.width);
        const Span down = FitSpan(e, screen.height, box.height);
        layout.kind = PreviewKind::Centre;
        layout.source = {0, 0, Narrow(w), Narrow(h)};
        layout.destination = {across.at, down.at, across.length, down.length};
        break;
    }
    case kMethodFill:
    case kMethodSpan: {
        // A virtual screen that does not hold the primary screen is no desktop's.
        const PixelRect primary{0, 0, screen.width, screen.height};
        const PixelRect& v = virtualScreen;
        const bool spans = displayMethod == kMethodSpan && v.x <= 0 && v.y <= 0 &&
                           int64_t{v.x} + v.width >= screen.width && int64_t{v.y} + v.height >= screen.height;
        layout.kind = PreviewKind::Stretch;
        layout.source = CoveredPart(w, h, screen.width, screen.height, spans ? v : primary);
        layout.destination = {0, 0, box.width, box.height};
        break;
    }
    default:
        break;
    }
    return layout;
}
