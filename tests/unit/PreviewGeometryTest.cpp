#include <gtest/gtest.h>

#include <climits>
#include <tuple>

#include "core/PreviewGeometry.h"

namespace {

auto Fields(const PreviewLayout& l) {
    const auto rect = [](const PixelRect& r) { return std::make_tuple(r.x, r.y, r.width, r.height); };
    return std::make_tuple(l.kind, rect(l.source), rect(l.destination), l.tileWidth, l.tileHeight, l.columns, l.rows);
}

}  // namespace

TEST(PreviewGeometry, LaysOutEachMethodOnTheBox) {
    const PixelSize xga{1024, 768};
    const auto C = PreviewKind::Centre, T = PreviewKind::Tile, S = PreviewKind::Stretch, B = PreviewKind::Background;
    const struct {
        const char* name;
        int32_t method;
        PixelSize picture, screen, box;
        PreviewLayout layout;
    } cases[] = {
        {"centre, smaller", 0, {512, 384}, xga, kPreviewBox, {C, {0, 0, 512, 384}, {37, 28, 74, 55}}},
        {"top-down", 0, {512, -384}, xga, kPreviewBox, {C, {0, 0, 512, 384}, {37, 28, 74, 55}}},
        {"centre, wider", 0, {2048, 768}, xga, kPreviewBox, {C, {512, 0, 1024, 768}, {0, 0, 149, 111}}},
        {"left-right as centre", 3, {512, 384}, xga, kPreviewBox, {C, {0, 0, 512, 384}, {37, 28, 74, 55}}},
        {"top-bottom as centre", 4, {100, 1000}, xga, kPreviewBox, {C, {0, 116, 100, 768}, {67, 0, 14, 111}}},
        {"full screen", 0, {512, 384}, xga, xga, {C, {0, 0, 512, 384}, {256, 192, 512, 384}}},
        {"tile", 1, {512, 384}, xga, kPreviewBox, {T, {}, {}, 74, 55, 3, 3}},
        {"tile, full screen", 1, {512, 384}, xga, xga, {T, {}, {}, 512, 384, 3, 2}},
        {"tile of a dot", 1, {1, 1}, {INT_MAX, INT_MAX}, kPreviewBox, {T, {}, {}, 1, 1, 150, 111}},
        {"tile on a tiny screen", 1, {INT_MAX, INT_MIN}, {1, 1}, kPreviewBox, {T, {}, {}, INT_MAX, INT_MAX, 1, 1}},
        {"stretch", 2, {512, 384}, xga, kPreviewBox, {S, {0, 0, 512, 384}, {0, 0, 149, 111}}},
        {"unknown method", 5, {512, 384}, xga, kPreviewBox, {}},
        {"no picture", 0, {0, 384}, xga, kPreviewBox, {B, {}, {}}},
        {"no screen", 1, {512, 384}, {0, 768}, kPreviewBox, {}},
        {"no box", 2, {512, 384}, xga, {149, -1}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fields(LayOutPreview(c.method, c.picture, c.screen, c.box)), Fields(c.layout)) << c.name;
}
