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
    // Later header versions (52 bytes and up) carry the masks inside themselves.
    const bool masksFollow = header.compression == kBiBitfields && header.size < 52 &&
                             (header.bitCount == 16 || header.bitCount == 32);
    return (masksFollow ? 12 : 0) + 4 * entries;
}

uint64_t ImageBytes(const DibHeader& header) {
    if (header.sizeImage != 0) return header.sizeImage;
    if (header.compression != kBiRgb && header.compression != kBiBitfields) return 0;
    const uint64_t width = static_cast<uint64_t>(std::max<int64_t>(header.width, 0));
    const uint64_t height = static_cast<uint64_t>(std::abs(static_cast<int64_t>(header.height)));
    const uint64_t stride = (width * header.bitCount + 31) / 32 * 4;
    return stride * height;
}

bool PlanTempBitmap(const DibHeader& header, size_t infoBytes, size_t pixelBytes, TempBitmapLayout& layout) {
    if (!KnownBitCount(header.bitCount)) return false;
    if (header.compression != kBiRgb && header.compression != kBiRle8 && header.compression != kBiRle4 &&
        header.compression != kBiBitfields) {
        return false;
    }
    if (header.size < kDibInfoHeaderSize || header.size > infoBytes) return false;
    const uint64_t tableRoom = infoBytes - header.size;
    const uint64_t table = std::min<uint64_t>(ColourTableBytes(header), tableRoom);
    const uint64_t image = std::min<uint64_t>(ImageBytes(header), pixelBytes);
    if (image == 0) return false;
    const uint64_t fileSize = uint64_t{kBitmapFileHeaderSize} + header.size + table + image;
    if (fileSize > UINT32_MAX) return false;
    layout.headerSize = header.size;
    layout.colourTableSize = static_cast<uint32_t>(table);
    layout.imageSize = static_cast<uint32_t>(image);
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
