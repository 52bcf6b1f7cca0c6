#include <gtest/gtest.h>

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

TEST(TempBitmap, NothingIsTakenBeyondTheBlocks) {
    TempBitmapLayout layout;
    // The plug-in claims 256 colours but allocated 16, and more pixels than it holds.
    ASSERT_TRUE(PlanTempBitmap(Header(8, 4, 2, 4096), 40 + 64, 8, layout));
    EXPECT_EQ(layout.colourTableSize, 64u);
    EXPECT_EQ(layout.imageSize, 8u);
    DibHeader huge = Header(8);
    huge.clrUsed = 0xFFFFFFFFu;
    ASSERT_TRUE(PlanTempBitmap(huge, 40 + 1024, 8, layout));
    EXPECT_EQ(layout.colourTableSize, 1024u);
    // An absurd size from a header whose dimensions overflow 32 bits stays cut to the block.
    ASSERT_TRUE(PlanTempBitmap(Header(32, 0x7FFFFFFF, 0x7FFFFFFF), 40, 64, layout));
    EXPECT_EQ(layout.imageSize, 64u);
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
