#pragma once
// Where a picture goes when the desktop it would give is drawn into a box: the
// settings program's 149 × 111 preview, or the whole screen (box = screen) for
// the full-screen preview. The desktop is scaled to the box, so a picture keeps
// its proportion to the screen. Integer arithmetic throughout; products are
// truncated toward zero.

#include <cstdint>

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;  // a top-down picture's negative height counts as its size
};

struct PixelRect {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

inline constexpr PixelSize kPreviewBox{149, 111};

enum class PreviewKind {
    Background,  // only the background colour: unknown method, or a size of 0 or less
    Centre,      // fill with the background colour, then copy source onto destination
                 // (centre, and fit)
    Tile,        // the picture stretched to one tile, at every tile position
    Stretch,     // copy source onto destination, the whole box (stretch; fill and
                 // span, whose source is the part of the picture that shows)
};

struct PreviewLayout {
    PreviewKind kind = PreviewKind::Background;
    PixelRect source;       // Centre, Stretch: the part of the picture copied
    PixelRect destination;  // Centre, Stretch: where it lands in the box
    // Tile: tile (c, r) lies at (c × tileWidth, r × tileHeight) for c < columns
    // and r < rows; the tiles cover the box and run over its right and lower edge.
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    int32_t columns = 0;
    int32_t rows = 0;
};

// Centre: a picture larger than the screen shows its central part over the whole
// box, a smaller one is scaled by box / screen and centred. Tile: tiles of the
// scaled size, at least 1 pixel. Stretch: the whole picture over the whole box.
// Methods 3 and 4 are laid out like centre, as the resident changer lays them.
// Fit: the picture scaled by min(W / w, H / h), sizes truncated (at least 1),
// centred at ((W - d) / 2, (H - e) / 2), then scaled to the box. Fill: scaled by
// max(W / w, H / h); the centred part of the picture that covers the screen.
// Span: fill over the virtual screen (all monitors; relative to the primary
// screen's corner, so its x and y are 0 or less), seen through the primary
// screen. An empty virtual screen is the primary screen alone: span is fill.
PreviewLayout LayOutPreview(int32_t displayMethod, PixelSize picture, PixelSize screen, PixelSize box,
                            PixelRect virtualScreen = {});
