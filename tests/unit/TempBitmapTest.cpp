#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/TempBitmap.h"

namespace {

DibHeader Header(uint16_t bitCount, int32_t width = 4, int32_t height = 2, uint32_t sizeImage = 0) {
    DibHeader h;
    h.size = 40;
    h.width = width;
    h.height = height;
    h.bitCount = bitCount;
    h.sizeImage = sizeImage;
    return h;
}

// An information block holding the header's fields, then 0xEE up to its size.
std::vector<uint8_t> InfoBlock(const DibHeader& h, size_t bytes) {
    std::vector<uint8_t> block(bytes, 0xEE);
    std::fill(block.begin(), block.begin() + 40, 0);
    auto put = [&block](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) block[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(0, h.size), put(4, h.width), put(8, h.height), put(14, h.bitCount), put(16, h.compression);
    put(20, h.sizeImage), put(32, h.clrUsed);
    return block;
}

}  // namespace

TEST(TempBitmap, AnEightBitImageHasItsPixelsAt1078) {
    TempBitmapLayout layout;
    ASSERT_TRUE(PlanTempBitmap(Header(8, 4, 2, 8), 40 + 1024, 8, layout));
    EXPECT_EQ(layout.colourTableSize, 1024u);
    EXPECT_EQ(layout.PixelOffset(), 1078u);
    EXPECT_EQ(layout.FileSize(), 1086u);
    const auto bytes = TempBitmapFileHeader(layout);
    const std::vector<uint8_t> expected{'B', 'M', 0x3E, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(TempBitmap, TheColourTableFollowsTheBitCountOrClrUsed) {
    EXPECT_EQ(ColourTableBytes(Header(1)), 8u);
    EXPECT_EQ(ColourTableBytes(Header(4)), 64u);
    EXPECT_EQ(ColourTableBytes(Header(8)), 1024u);
    EXPECT_EQ(ColourTableBytes(Header(16)), 0u);
    EXPECT_EQ(ColourTableBytes(Header(24)), 0u);
    EXPECT_EQ(ColourTableBytes(Header(32)), 0u);
    DibHeader used = Header(8);
    used.clrUsed = 16;
    EXPECT_EQ(ColourTableBytes(used), 64u) << "a plug-in that uses 16 of 256 colours stores 16";
    DibHeader masks = Header(16);
    masks.compression = 3;
    EXPECT_EQ(ColourTableBytes(masks), 12u);
    masks.size = 124;  // the later headers hold their masks themselves
    EXPECT_EQ(ColourTableBytes(masks), 0u);
}

TEST(TempBitmap, ALargerHeaderMovesTheTableAndThePixels) {
    DibHeader v5 = Header(8, 4, 2, 8);
    v5.size = 124;
    TempBitmapLayout layout;
    ASSERT_TRUE(PlanTempBitmap(v5, 124 + 1024, 8, layout));
    EXPECT_EQ(layout.headerSize, 124u);
    EXPECT_EQ(layout.PixelOffset(), 14u + 124 + 1024);
}

TEST(TempBitmap, AMissingImageSizeIsComputedFromTheRows) {
    // 3 pixels of 24 bits are 9 bytes, padded to 12 a row.
    EXPECT_EQ(ImageBytes(Header(24, 3, 5)), 60u);
    EXPECT_EQ(ImageBytes(Header(24, 3, -5)), 60u) << "top-down rows count alike";
    EXPECT_EQ(ImageBytes(Header(1, 33, 2)), 16u);
    EXPECT_EQ(ImageBytes(Header(8, 4, 2, 100)), 100u) << "a given size is taken as it is";
    DibHeader rle = Header(8);
    rle.compression = 1;
    EXPECT_EQ(ImageBytes(rle), 0u);
    TempBitmapLayout layout;
    EXPECT_FALSE(PlanTempBitmap(rle, 40 + 1024, 100, layout)) << "a compressed image needs its size";
}

TEST(TempBitmap, ShortBlocksGiveAHeaderThatSaysWhatTheFileHolds) {
    struct Case {
        const char* what;
        DibHeader header;
        size_t infoBytes, pixelBytes;
        uint32_t tableHeld, table, image;
        int32_t height;
        uint32_t sizeImage, clrUsed;
        bool patched;
    };
    auto with = [](DibHeader h, uint32_t clrUsed, uint32_t compression = 0) {
        h.clrUsed = clrUsed;
        h.compression = compression;
        return h;
    };
    const Case cases[] = {
        {"all held", Header(8, 4, 2, 8), 40 + 1024, 100, 1024, 1024, 8, 2, 8, 0, false},
        {"16 of 256 colours, 8 of 4096 bytes", Header(8, 4, 2, 4096), 40 + 64, 8, 64, 1024, 8, 2, 8, 0, true},
        {"hostile biClrUsed", with(Header(8), 0xFFFFFFFFu), 40 + 1024, 8, 1024, 1024, 8, 2, 0, 256, true},
        {"4 of 10 colours", with(Header(4), 10), 40 + 16, 8, 16, 40, 8, 2, 0, 10, false},
        {"3 whole of 5 hint colours", with(Header(24), 5), 40 + 13, 24, 12, 12, 24, 2, 0, 3, true},
        {"masks cut", with(Header(16), 0, 3), 40 + 7, 16, 7, 12, 16, 2, 0, 0, false},
        {"masks and hint colours cut", with(Header(32), 2, 3), 40 + 9, 32, 9, 12, 32, 2, 0, 0, true},
        {"2.5 of 4 top-down rows", Header(24, 3, -4), 40, 30, 0, 0, 24, -2, 24, 0, true},
        {"run lengths cut", with(Header(8, 4, 2, 100), 0, 1), 40 + 1024, 60, 1024, 1024, 60, 2, 60, 0, true},
        {"biSizeImage short of the rows", Header(24, 3, 4, 20), 40, 48, 0, 0, 48, 4, 48, 0, true},
        {"biSizeImage short, block too", Header(24, 3, 4, 20), 40, 20, 0, 0, 12, 1, 12, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempBitmapLayout layout;
        ASSERT_TRUE(PlanTempBitmap(c.header, c.infoBytes, c.pixelBytes, layout));
        EXPECT_EQ(layout.colourTableHeld, c.tableHeld);
        EXPECT_EQ(layout.colourTableSize, c.table);
        EXPECT_EQ(layout.imageSize, c.image);
        EXPECT_EQ(layout.height, c.height);
        EXPECT_EQ(layout.sizeImage, c.sizeImage);
        EXPECT_EQ(layout.clrUsed, c.clrUsed);
        EXPECT_EQ(layout.headerPatched, c.patched);

        // The file's header, read back, describes the same table and pixels.
        const std::vector<uint8_t> info = InfoBlock(c.header, c.infoBytes);
        const std::vector<uint8_t> head = TempBitmapHead(layout, info.data());
        ASSERT_EQ(head.size(), layout.PixelOffset());
        DibHeader read;
        ASSERT_TRUE(ReadDibHeader(head.data() + 14, 40, read));
        EXPECT_EQ(read.height, layout.height);
        EXPECT_EQ(ColourTableBytes(read), layout.colourTableSize);
        EXPECT_EQ(ImageBytes(read), layout.imageSize);
        EXPECT_EQ(std::equal(info.begin(), info.begin() + 40, head.begin() + 14), !c.patched);
        if (layout.colourTableSize > 0) {
            EXPECT_EQ(head.back(), layout.colourTableHeld < layout.colourTableSize ? 0 : 0xEE) << "padding is zeros";
        }
    }

    // Not one whole row: nothing worth a file.
    TempBitmapLayout layout;
    EXPECT_FALSE(PlanTempBitmap(Header(24, 3, 2), 40, 11, layout));
    EXPECT_FALSE(PlanTempBitmap(Header(32, 0x7FFFFFFF, 0x7FFFFFFF), 40, 64, layout));
}

TEST(TempBitmap, ImagesTheFileCannotCarryAreRefused) {
    TempBitmapLayout layout;
    EXPECT_FALSE(PlanTempBitmap(Header(0), 1064, 8, layout));
    EXPECT_FALSE(PlanTempBitmap(Header(7), 1064, 8, layout));
    DibHeader jpeg = Header(24, 4, 2, 8);
    jpeg.compression = 4;
    EXPECT_FALSE(PlanTempBitmap(jpeg, 40, 8, layout));
    EXPECT_FALSE(PlanTempBitmap(Header(24), 40, 0, layout)) << "no pixels";
    EXPECT_FALSE(PlanTempBitmap(Header(24, 0, 2), 40, 8, layout)) << "no rows to size";

    const uint8_t shortBlock[39] = {40};
    DibHeader header;
    EXPECT_FALSE(ReadDibHeader(shortBlock, sizeof shortBlock, header));
    uint8_t block[40] = {};
    block[0] = 12;  // an OS/2 core header is not what the plug-ins promise
    EXPECT_FALSE(ReadDibHeader(block, sizeof block, header));
    block[0] = 41;  // a header longer than its block
    EXPECT_FALSE(ReadDibHeader(block, sizeof block, header));
    block[0] = 40;
    block[4] = 3;
    block[8] = 0xFE, block[9] = 0xFF, block[10] = 0xFF, block[11] = 0xFF;
    block[14] = 24;
    block[32] = 5;
    ASSERT_TRUE(ReadDibHeader(block, sizeof block, header));
    EXPECT_EQ(header.width, 3);
    EXPECT_EQ(header.height, -2);
    EXPECT_EQ(header.bitCount, 24);
    EXPECT_EQ(header.clrUsed, 5u);
}
