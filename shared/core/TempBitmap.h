#pragma once
// The layout of the temporary bitmap file that the resident changer writes from
// a decoded image: a 14-byte file header, the information header as the plug-in
// returned it, the colour table (or the three bit-field masks) that follows it,
// and the pixel block.
//
// Every size is checked against the two blocks the plug-in actually allocated,
// so that a header that promises more than its block holds never makes the
// writer read past the block.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The fields of a BITMAPINFOHEADER that decide the file's layout, read
// little-endian from the start of the information block.
struct DibHeader {
    uint32_t size = 0;         // biSize: 40, or more for the later header versions
    int32_t width = 0;
    int32_t height = 0;        // negative for a top-down image
    uint16_t bitCount = 0;
    uint32_t compression = 0;  // BI_RGB 0, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    uint32_t sizeImage = 0;    // may be 0 for uncompressed images
    uint32_t clrUsed = 0;
};

inline constexpr uint32_t kDibInfoHeaderSize = 40;
inline constexpr uint32_t kBitmapFileHeaderSize = 14;

// False when the block is too short for a BITMAPINFOHEADER or its biSize is
// below 40 or beyond the block.
bool ReadDibHeader(const uint8_t* block, size_t blockBytes, DibHeader& header);

// Bytes of colour table that follow the header: biClrUsed entries when it is
// non-zero, else 2, 16 or 256 entries for 1, 4 or 8 bits and none above; plus the
// three DWORD masks of a BI_BITFIELDS image whose 40-byte header does not hold
// them itself. Four bytes an entry.
uint64_t ColourTableBytes(const DibHeader& header);

// Bytes of the pixel block a reader takes from the header: for an uncompressed
// image the 4-byte aligned row stride times |height|, or biSizeImage when that is
// larger; for a compressed one biSizeImage (0: it cannot be known).
uint64_t ImageBytes(const DibHeader& header);

struct TempBitmapLayout {
    uint32_t headerSize = 0;       // bytes from the start of the information block
    uint32_t colourTableHeld = 0;  // bytes of colour table taken from the information block, headerSize in
    uint32_t colourTableSize = 0;  // bytes of colour table in the file: those held, then zeros
    uint32_t imageSize = 0;        // bytes from the start of the pixel block

    // The information header's fields as the file states them. They differ from
    // the plug-in's header only when a block held less than it promised.
    int32_t height = 0;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    bool headerPatched = false;

    uint32_t PixelOffset() const { return kBitmapFileHeaderSize + headerSize + colourTableSize; }
    uint32_t FileSize() const { return PixelOffset() + imageSize; }
};

// The layout of the file for a decoded image whose information block holds
// infoBytes and whose pixel block holds pixelBytes (their LocalSize). Nothing is
// taken beyond the blocks, and the file's header describes what the file holds:
// - a colour table cut short is completed with zero entries up to the colours
//   the header promises (at most 2, 16 or 256 for 1, 4 or 8 bits; a larger
//   biClrUsed becomes that count); above 8 bits the whole entries held are
//   kept and biClrUsed counts them, and bit-field masks cut short are completed
//   with zeros;
// - uncompressed pixels cut short keep their whole rows: biHeight becomes that
//   row count (top-down stays top-down) and biSizeImage their bytes; a run-length
//   image keeps the bytes held and biSizeImage says so.
// When the blocks hold all that the header promises, the header is left as it is.
// False for an image the file cannot carry: a bit count other than 1, 4, 8, 16,
// 24 or 32, a compression other than the four above, no pixel bytes or not one
// whole row of them, or a file beyond 4 GB.
bool PlanTempBitmap(const DibHeader& header, size_t infoBytes, size_t pixelBytes, TempBitmapLayout& layout);

// "BM", the file size, two reserved zeros and the pixel offset, little-endian.
std::array<uint8_t, kBitmapFileHeaderSize> TempBitmapFileHeader(const TempBitmapLayout& layout);

// The file's bytes before the pixels, from the information block the layout was
// planned for: the file header, the information header (patched when the layout
// says so) and the colour table, completed with zeros where it was cut.
std::vector<uint8_t> TempBitmapHead(const TempBitmapLayout& layout, const uint8_t* info);
