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

namespace {

// A JPEG XR container: one directory of the coded image's offset and byte count.
std::string Jxr(uint32_t offset, uint32_t count, size_t total) {
    std::string b("II\xBC\x01\x08\0\0\0\x02\0", 10);
    for (uint32_t tag : {0xBCC0u, 0xBCC1u}) {
        const uint32_t value = tag == 0xBCC0u ? offset : count;
        const char entry[12] = {static_cast<char>(tag), static_cast<char>(tag >> 8), 4, 0, 1, 0, 0, 0,
                                static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                                static_cast<char>(value >> 24)};
        b.append(entry, 12);
    }
    b.resize(total, '\0');
    return b;
}

TEST(JxrLayout, TellsCompleteFromCutContainers) {
    const struct {
        const char* what;
        std::string bytes;
        JxrLayout expected;
    } cases[] = {
        {"complete", Jxr(40, 60, 100), JxrLayout::Complete},
        {"image data cut by a byte", Jxr(40, 60, 99), JxrLayout::Broken},
        {"no image data", Jxr(40, 0, 100), JxrLayout::Broken},
        {"offset wrapping past 4 GiB", Jxr(0xFFFFFFF0u, 0x20, 100), JxrLayout::Broken},
        {"directory cut", Jxr(40, 60, 100).substr(0, 20), JxrLayout::Broken},
        {"magic alone", std::string("II\xBC\x01", 4), JxrLayout::Broken},
        {"a TIFF", kTiffBig, JxrLayout::NotJxr},
        {"nothing", "", JxrLayout::NotJxr},
    };
    for (const auto& c : cases) EXPECT_EQ(CheckJxrLayout(Bytes(c.bytes), c.bytes.size()), c.expected) << c.what;
}

}  // namespace
