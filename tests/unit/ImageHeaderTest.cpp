#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ImageHeader.h"

namespace {

const uint8_t* Bytes(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

const std::string kJpegFrame = std::string("\xFF\xD8\xFF\xE0\x00\x04..\xFF\xFF\xC0\x00\x11\x08\x01\x02\x03\x04", 18);
const std::string kPng = std::string("\x89PNG\r\n\x1A\n\0\0\0\x0DIHDR\0\0\x01\x00\0\0\0\x30", 24);
// Screen 2x3, no colour table; a comment block; a 300x1 frame.
const std::string kGif = std::string("GIF89a\x02\0\x03\0\0\0\0" "\x21\xFE\x01x\0" "\x2C\0\0\0\0\x2C\x01\x01\0\0" "\x02\x01x\0\x3B", 33);
const std::string kTiffBig = std::string("MM\0*\0\0\0\x08\0\x02" "\x01\x00\0\x03\0\0\0\x01\x00\x07\0\0"
                                         "\x01\x01\0\x04\0\0\0\x01\0\x01\0\0", 34);
std::string Bitmap(uint8_t headerSize, uint32_t width, uint32_t height) {
    std::string b("BM", 2);
    b.resize(30, '\0');
    b[14] = static_cast<char>(headerSize);
    for (int i = 0; i < 4; ++i) {
        b[18 + i] = static_cast<char>(width >> (8 * i));
        b[22 + i] = static_cast<char>(height >> (8 * i));
    }
    return b;
}

}  // namespace

TEST(ImageHeader, DeclaredSizesOfEachFormatAndTheirCutHeads) {
    struct Case { const char* what; std::string data; uint32_t width, height; };
    const Case cases[] = {
        {"jpeg after an APP0 segment and a fill byte", kJpegFrame, 0x0304, 0x0102},
        {"png", kPng, 256, 48},
        {"gif: its largest frame", kGif, 300, 1},
        {"big-endian tiff, short width and long height", kTiffBig, 7, 65536},
        {"top-down bitmap", Bitmap(40, 5, 0xFFFFFFFDu), 5, 3},
        {"core bitmap", Bitmap(12, 0x00090008, 0), 8, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(IsKnownImageHead(Bytes(c.data), c.data.size()));
        uint32_t width = 0, height = 0;
        ASSERT_TRUE(ReadDeclaredSize(Bytes(c.data), c.data.size(), &width, &height));
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        // Shorter heads, each in a block of its own size, so that the sanitizer
        // build sees any read past the end.
        for (size_t n = 0; n < c.data.size(); ++n) {
            const std::vector<uint8_t> head(c.data.begin(), c.data.begin() + static_cast<std::ptrdiff_t>(n));
            IsKnownImageHead(head.data(), n);
            ReadDeclaredSize(head.data(), n, &width, &height);
        }
    }
}

TEST(ImageHeader, UnknownOrBrokenHeadsAreRefused) {
    const std::string cases[] = {
        "", "GIF88a", std::string("\x89PNG\r\n\x1A", 7), "BMjunk that is no bitmap", std::string("II+\0", 4),
        Bitmap(41, 1, 1), std::string("\xFF\xD8\xFF\xDA\0\x02", 6), kPng.substr(0, 23),
    };
    uint32_t width = 0, height = 0;
    for (const std::string& c : cases) EXPECT_FALSE(ReadDeclaredSize(Bytes(c), c.size(), &width, &height)) << c;
    EXPECT_FALSE(IsKnownImageHead(nullptr, 2048));
    EXPECT_FALSE(IsKnownImageHead(Bytes(Bitmap(41, 1, 1)), 30)) << "no bitmap header is 41 bytes";
}
