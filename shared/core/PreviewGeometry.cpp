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

}  // namespace

PreviewLayout LayOutPreview(int32_t displayMethod, PixelSize picture, PixelSize screen, PixelSize box) {
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
    default:
        break;
    }
    return layout;
}
