// The temporary bitmap's layout from any information block and pixel count:
// nothing is taken beyond the blocks, and the file's header describes exactly
// the bytes that are written.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzCheck.h"
#include "core/TempBitmap.h"

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

// The input: 4 bytes of pixel block size (kept below 16 MB), then the information block.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const size_t pixelBytes = Le32(data) % (16u << 20);
    // A block of its own exact size, so that a read past it is seen.
    const std::vector<uint8_t> info(data + 4, data + size);

    DibHeader header;
    if (!ReadDibHeader(info.data(), info.size(), header)) return 0;
    TempBitmapLayout layout;
    if (!PlanTempBitmap(header, info.size(), pixelBytes, layout)) return 0;

    FUZZ_CHECK(layout.headerSize == header.size);
    FUZZ_CHECK(uint64_t{layout.headerSize} + layout.colourTableHeld <= info.size());
    FUZZ_CHECK(layout.colourTableHeld <= layout.colourTableSize);
    FUZZ_CHECK(layout.imageSize > 0 && layout.imageSize <= pixelBytes);

    // A header whose biSizeImage is short of its rows is mended even when the
    // blocks hold everything.
    const bool sizeSaysAll = header.sizeImage == 0 || ImageBytes(header) == header.sizeImage;
    const bool allHeld = ColourTableBytes(header) <= info.size() - header.size && ImageBytes(header) <= pixelBytes;
    if (allHeld && sizeSaysAll) {
        FUZZ_CHECK(!layout.headerPatched);
        FUZZ_CHECK(layout.colourTableSize == layout.colourTableHeld);
        FUZZ_CHECK(layout.colourTableSize == ColourTableBytes(header));
        FUZZ_CHECK(layout.imageSize == ImageBytes(header));
    }

    // The file as written, read back as a reader would.
    const std::vector<uint8_t> head = TempBitmapHead(layout, info.data());
    FUZZ_CHECK(head.size() == layout.PixelOffset());
    FUZZ_CHECK(head[0] == 'B' && head[1] == 'M');
    FUZZ_CHECK(Le32(&head[2]) == uint64_t{head.size()} + layout.imageSize);
    FUZZ_CHECK(Le32(&head[10]) == head.size());
    DibHeader written;
    FUZZ_CHECK(ReadDibHeader(head.data() + kBitmapFileHeaderSize, head.size() - kBitmapFileHeaderSize, written));
    FUZZ_CHECK(written.size == header.size && written.width == header.width && written.bitCount == header.bitCount);
    FUZZ_CHECK(ColourTableBytes(written) == layout.colourTableSize);
    FUZZ_CHECK(ImageBytes(written) == layout.imageSize);
    if (header.bitCount <= 8 && layout.colourTableHeld < layout.colourTableSize) {
        FUZZ_CHECK(layout.colourTableSize <= 4u << header.bitCount);
    }
    return 0;
}
