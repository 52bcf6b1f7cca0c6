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
        PixelRect monitors{};
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
        {"fit, portrait", 5, {384, 512}, xga, xga, {C, {0, 0, 384, 512}, {224, 0, 576, 768}}},
        {"fit, landscape", 5, {2048, 768}, xga, xga, {C, {0, 0, 2048, 768}, {0, 192, 1024, 384}}},
        {"fit, in the box", 5, {384, 512}, xga, kPreviewBox, {C, {0, 0, 384, 512}, {32, 0, 83, 111}}},
        {"fit, a dot", 5, {1, 1}, xga, xga, {C, {0, 0, 1, 1}, {128, 0, 768, 768}}},
        {"fit, a hair", 5, {100000, 1}, xga, xga, {C, {0, 0, 100000, 1}, {0, 383, 1024, 1}}},
        {"fill, portrait", 6, {384, 512}, xga, xga, {S, {0, 112, 384, 288}, {0, 0, 1024, 768}}},
        {"fill, landscape", 6, {2048, 768}, xga, kPreviewBox, {S, {512, 0, 1024, 768}, {0, 0, 149, 111}}},
        {"fill, a hair", 6, {100000, 1}, xga, xga, {S, {49999, 0, 1, 1}, {0, 0, 1024, 768}}},
        {"span, one monitor", 7, {384, 512}, xga, xga, {S, {0, 112, 384, 288}, {0, 0, 1024, 768}}, {0, 0, 1024, 768}},
        {"span, a monitor on the left", 7, {2048, 768}, xga, xga, {S, {1024, 0, 1024, 768}, {0, 0, 1024, 768}},
         {-1024, 0, 2048, 768}},
        {"span, a monitor above", 7, {384, 512}, xga, kPreviewBox, {S, {21, 256, 341, 256}, {0, 0, 149, 111}},
         {0, -768, 1024, 1536}},
        {"span, a virtual screen beside", 7, {2048, 768}, xga, xga, {S, {512, 0, 1024, 768}, {0, 0, 1024, 768}},
         {1024, 0, 1024, 768}},
        {"unknown method", 8, {512, 384}, xga, kPreviewBox, {}},
        {"no picture", 0, {0, 384}, xga, kPreviewBox, {B, {}, {}}},
        {"no screen", 1, {512, 384}, {0, 768}, kPreviewBox, {}},
        {"no box", 2, {512, 384}, xga, {149, -1}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fields(LayOutPreview(c.method, c.picture, c.screen, c.box, c.monitors)), Fields(c.layout)) << c.name;
}
