#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/DecoderPatterns.h"

namespace {

// Decoder lists as the imaging component gives them, and the formats the
// second plug-in must offer for each.
struct Case {
    const char* what;
    std::vector<DecoderDescription> decoders;
    std::vector<std::string> formats;  // "patterns=name"
};

const DecoderDescription kBmp{"BMP Decoder", ".bmp,.dib,.rle"};
const DecoderDescription kJpeg{"JPEG Decoder", ".jpg;.jpeg;.jfif"};
const DecoderDescription kPng{"PNG Decoder", ".png"};
const DecoderDescription kJxr{"JPEG-XR Decoder", ".jxr;.hdp;.wdp"};
const DecoderDescription kDds{"DDS Decoder", ".dds"};
const DecoderDescription kTga{"TGA Decoder", ".tga;.tpic"};
const DecoderDescription kIco{"ICO Decoder", ".ico"};
const DecoderDescription kWebp{"WebP Decoder", ".webp"};
const DecoderDescription kHeif{"HEIF Decoder", ".heic,.heif,.hif,.avci,.heics,.heifs,.avcs,.avif"};
const DecoderDescription kJxl{"JPEG XL Decoder", ".JXL"};
const DecoderDescription kRaw{"Raw Decoder", ".arw,.cr2,.cr3,.nef,.dng"};

const Case kCases[] = {
    {"Wine 8: eight extensions beyond the classic ones, the bitmap decoder's left out",
     {{"GIF Decoder", ".gif"}, kPng, kBmp, kDds, kJpeg, kJxr, kTga, {"TIFF Decoder", ".tif;.tiff"}, kIco},
     {"*.jxr;*.wdp;*.hdp=JPEG XR", "*.dds=DDS", "*.tga;*.tpic=TGA", "*.ico=ICO", "*.jfif=JPEG"}},
    {"Windows with every codec extension: the web and camera formats first, cut at eight",
     {kBmp, kJpeg, kPng, kIco, kJxr, kDds, kWebp, kHeif, kJxl, kRaw},
     {"*.webp=WebP", "*.heic;*.heif;*.avif=HEIF", "*.jxl=JPEG XL", "*.jxr;*.wdp;*.hdp=JPEG XR"}},
    {"an extension met twice is offered once, with the first decoder that lists it",
     {kDds, {"Other DDS", ".dds;.ddsx"}},
     {"*.dds=DDS", "*.ddsx=Other DDS"}},
    {"extensions too long for 7 characters, empty or unusable ones are skipped",
     {{"Odd Decoder", ".abcdef;.;;.a*b;.xyz12;,.q"}},
     {"*.q;*.xyz12=Odd"}},
    {"no decoders at all", {}, {}},
};

TEST(DecoderPatterns, ChoosesAndOrdersWithinTheHostsLimits) {
    for (const Case& c : kCases) {
        std::vector<std::string> got;
        size_t patterns = 0;
        for (const PluginFormat& f : ChooseExtraFormats(c.decoders)) {
            got.push_back(f.patterns + "=" + f.name);
            ASSERT_LT(f.decoder, c.decoders.size()) << c.what;
            patterns += 1 + static_cast<size_t>(std::count(f.patterns.begin(), f.patterns.end(), ';'));
            EXPECT_LT(f.patterns.size(), 64u) << c.what << ": the host reads a format's list into 64 bytes";
        }
        EXPECT_EQ(got, c.formats) << c.what;
        EXPECT_LE(patterns, kMaxPluginPatterns) << c.what;
    }
}

TEST(DecoderPatterns, TgaIsTakenOnlyWithItsExtension) {
    EXPECT_TRUE(DecoderNeedsExtension(kTga));
    EXPECT_FALSE(DecoderNeedsExtension(kJxr));
    EXPECT_TRUE(PathHasDecoderExtension("C:\\pics\\sky.TGA", kTga));
    EXPECT_TRUE(PathHasDecoderExtension("C:\\pics\\sky.tpic", kTga));
    EXPECT_FALSE(PathHasDecoderExtension("C:\\pics.tga\\sky", kTga));
    // "表" ends in 0x5C; the extension is still found after it.
    EXPECT_TRUE(PathHasDecoderExtension("C:\\\x95\x5C.tga", kTga));
}

}  // namespace
