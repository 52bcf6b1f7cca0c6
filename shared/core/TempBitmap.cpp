#include "TempBitmap.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

void Write32(uint8_t* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

bool KnownBitCount(uint16_t bitCount) {
    switch (bitCount) {
        case 1: case 4: case 8: case 16: case 24: case 32: return true;
        default: return false;
    }
}

// Later header versions (52 bytes and up) carry the masks inside themselves.
uint64_t MaskBytes(const DibHeader& header) {
    const bool masksFollow = header.compression == kBiBitfields && header.size < 52 &&
                             (header.bitCount == 16 || header.bitCount == 32);
    return masksFollow ? 12 : 0;
}

// Bytes of one row of an uncompressed image, padded to 4 bytes.
uint64_t RowStride(const DibHeader& header) {
    const uint64_t width = static_cast<uint64_t>(std::max<int64_t>(header.width, 0));
    return (width * header.bitCount + 31) / 32 * 4;
}

uint64_t Rows(const DibHeader& header) { return static_cast<uint64_t>(std::abs(static_cast<int64_t>(header.height))); }

}  // namespace

bool ReadDibHeader(const uint8_t* block, size_t blockBytes, DibHeader& header) {
    if (block == nullptr || blockBytes < kDibInfoHeaderSize) return false;
    header.size = Read32(block);
    header.width = static_cast<int32_t>(Read32(block + 4));
    header.height = static_cast<int32_t>(Read32(block + 8));
    header.bitCount = Read16(block + 14);
    header.compression = Read32(block + 16);
    header.sizeImage = Read32(block + 20);
    header.clrUsed = Read32(block + 32);
    return header.size >= kDibInfoHeaderSize && header.size <= blockBytes;
}

uint64_t ColourTableBytes(const DibHeader& header) {
    uint64_t entries = header.clrUsed;
    if (entries == 0 && header.bitCount <= 8) entries = uint64_t{1} << header.bitCount;
    return MaskBytes(header) + 4 * entries;
}

uint64_t ImageBytes(const DibHeader& header) {
    if (header.compression != kBiRgb && header.compression != kBiBitfields) return header.sizeImage;
    // A reader of an uncompressed image takes stride × rows bytes whatever a
    // smaller biSizeImage says.
    return std::max<uint64_t>(header.sizeImage, RowStride(header) * Rows(header));
}

bool PlanTempBitmap(const DibHeader& header, size_t infoBytes, size_t pixelBytes, TempBitmapLayout& layout) {
    if (!KnownBitCount(header.bitCount)) return false;
    if (header.compression != kBiRgb && header.compression != kBiRle8 && header.compression != kBiRle4 &&
        header.compression != kBiBitfields) {
        return false;
    }
    if (header.size < kDibInfoHeaderSize || header.size > infoBytes) return false;

    TempBitmapLayout plan;
    plan.headerSize = header.size;
    plan.height = header.height;
    plan.sizeImage = header.sizeImage;
    plan.clrUsed = header.clrUsed;

    const uint64_t tableRoom = infoBytes - header.size;
    uint64_t tableHeld = ColourTableBytes(header);
    uint64_t table = tableHeld;
    if (tableHeld > tableRoom) {
        if (header.bitCount <= 8) {
            // Pixels index the table, so every entry they can name must be there
            // to read: the missing ones become black.
            const uint32_t full = 1u << header.bitCount;
            const uint32_t entries = header.clrUsed == 0 ? full : std::min(header.clrUsed, full);
            if (header.clrUsed != 0) plan.clrUsed = entries;
            table = 4 * uint64_t{entries};
            tableHeld = std::min(tableRoom, table);
        } else if (tableRoom < MaskBytes(header)) {
            tableHeld = tableRoom;
            table = MaskBytes(header);
            plan.clrUsed = 0;
        } else {
            // Above 8 bits the table is only a hint for display: keep what is whole.
            plan.clrUsed = static_cast<uint32_t>((tableRoom - MaskBytes(header)) / 4);
            tableHeld = table = MaskBytes(header) + 4 * uint64_t{plan.clrUsed};
        }
    }

    uint64_t image = ImageBytes(header);
    const bool runLengths = header.compression == kBiRle8 || header.compression == kBiRle4;
    // A biSizeImage short of the rows would leave a reader short of pixels.
    if (header.sizeImage != 0 && header.sizeImage < image) {
        plan.sizeImage = static_cast<uint32_t>(std::min<uint64_t>(image, UINT32_MAX));
    }
    if (image > pixelBytes) {
        if (runLengths) {
            image = pixelBytes;
        } else {
            const uint64_t stride = RowStride(header);
            const uint64_t rows = stride == 0 ? 0 : std::min<uint64_t>(Rows(header), pixelBytes / stride);
            image = rows * stride;
            if (rows != Rows(header)) {
                const int64_t kept = static_cast<int64_t>(rows);
                plan.height = static_cast<int32_t>(header.height < 0 ? -kept : kept);
            }
        }
        plan.sizeImage = static_cast<uint32_t>(image);
    }
    if (image == 0) return false;

    const uint64_t fileSize = uint64_t{kBitmapFileHeaderSize} + header.size + table + image;
    if (fileSize > UINT32_MAX) return false;
    plan.colourTableHeld = static_cast<uint32_t>(tableHeld);
    plan.colourTableSize = static_cast<uint32_t>(table);
    plan.imageSize = static_cast<uint32_t>(image);
    plan.headerPatched =
        plan.height != header.height || plan.sizeImage != header.sizeImage || plan.clrUsed != header.clrUsed;
    layout = plan;
    return true;
}

std::array<uint8_t, kBitmapFileHeaderSize> TempBitmapFileHeader(const TempBitmapLayout& layout) {
    std::array<uint8_t, kBitmapFileHeaderSize> bytes{};
    bytes[0] = 'B';
    bytes[1] = 'M';
    Write32(&bytes[2], layout.FileSize());
    Write32(&bytes[10], layout.PixelOffset());
    return bytes;
}

std::vector<uint8_t> TempBitmapHead(const TempBitmapLayout& layout, const uint8_t* info) {
    const auto fileHeader = TempBitmapFileHeader(layout);
    std::vector<uint8_t> head(fileHeader.begin(), fileHeader.end());
    head.reserve(layout.PixelOffset());
    head.insert(head.end(), info, info + layout.headerSize + layout.colourTableHeld);
    head.resize(layout.PixelOffset(), 0);
    if (layout.headerPatched) {
        uint8_t* header = head.data() + kBitmapFileHeaderSize;
        Write32(header + 8, static_cast<uint32_t>(layout.height));
        Write32(header + 20, layout.sizeImage);
        Write32(header + 32, layout.clrUsed);
    }
    return head;
}
