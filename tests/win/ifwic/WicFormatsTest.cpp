// IFWIC.SPI and IFWICX.SPI together in one folder, as MDK and MDS load them:
// the formats beyond the classic ones found, decoded and refused through the
// real plug-in host.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "SpiLoader.h"
#include "win/PluginHost.h"

namespace {

PluginHost& Host() {
    static PluginHost host(PluginHost::Variant::Settings);
    static const bool loaded = host.LoadPlugins(ProgramFolder() + "both");
    EXPECT_TRUE(loaded);
    return host;
}

// The row whose description starts with the plug-in's name, -1 when none does.
int RowOf(const std::string& name) {
    for (int row = 0; row < Host().Count(); ++row) {
        if (std::string(Host().Record(row).description).rfind(name + ":", 0) == 0) return row;
    }
    return -1;
}

std::vector<std::string> PatternsOf(int row) {
    const PluginRecord& record = Host().Record(row);
    return std::vector<std::string>(record.patterns, record.patterns + record.patternCount);
}

std::string ImagePath(const std::string& name) { return ProgramFolder() + "images\\" + name; }

std::string WriteWork(const std::string& name, const std::vector<char>& bytes) {
    const std::string folder = ProgramFolder() + "work\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(WriteWholeFile(folder + name, bytes.data(), bytes.size())) << name;
    return folder + name;
}

TEST(WicFormats, TheSecondPluginOffersWhatWicDecodesBeyondTheClassicPatterns) {
    const int classic = RowOf("IFWIC.SPI");
    const int extra = RowOf("IFWICX.SPI");
    ASSERT_GE(classic, 0);
    ASSERT_GE(extra, 0);
    EXPECT_EQ(PatternsOf(classic),
              (std::vector<std::string>{"*.jpg", "*.jpeg", "*.jpe", "*.png", "*.gif", "*.tif", "*.tiff"}));

    // Wine 8's decoders list these extensions beyond the classic ones and the
    // bitmap decoder's; they fit the host's 8 patterns of 7 characters.
    EXPECT_EQ(PatternsOf(extra), (std::vector<std::string>{"*.jxr", "*.wdp", "*.hdp", "*.dds", "*.tga", "*.tpic",
                                                           "*.ico", "*.jfif"}));
    // This Wine has a JPEG XR decoder, so the description must say so.
    EXPECT_NE(std::string(Host().Record(extra).description).find("JPEG XR"), std::string::npos);
}

TEST(WicFormats, DecodeThroughTheHostWithTheirSizeAndColours) {
    for (const char* name : {"quad.jxr", "quad.dds", "quad.tga", "quad.ico"}) {
        const std::string path = ImagePath(name);
        const PluginMatch match = Host().FindPlugin(path);
        ASSERT_EQ(match.row, RowOf("IFWICX.SPI")) << name;
        HLOCAL info = nullptr;
        HLOCAL bits = nullptr;
        ASSERT_EQ(Host().DecodePicture(match, path, &info, &bits), 0) << name;
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LocalLock(info));
        const auto* pixels = static_cast<const uint8_t*>(LocalLock(bits));
        EXPECT_EQ(header->biWidth, 37) << name;
        EXPECT_EQ(header->biHeight, 21) << name;
        EXPECT_EQ(header->biBitCount, 24) << name;
        // The four quarters red, lime / blue, white as BGR; rows bottom-up, 112 bytes each.
        const struct {
            int x, y;
            uint32_t bgr;
        } points[] = {{9, 4, 0x0000FF}, {28, 4, 0x00FF00}, {9, 16, 0xFF0000}, {28, 16, 0xFFFFFF}};
        for (const auto& p : points) {
            const uint8_t* at = pixels + static_cast<size_t>(20 - p.y) * 112 + static_cast<size_t>(p.x) * 3;
            EXPECT_EQ(static_cast<uint32_t>(at[0] << 16 | at[1] << 8 | at[2]), p.bgr) << name << " " << p.x << "," << p.y;
        }
        LocalUnlock(info);
        LocalUnlock(bits);
        LocalFree(info);
        LocalFree(bits);
    }
}

// The test JPEG XR with its container's and its codestream's sizes rewritten.
std::vector<char> JxrDeclaring(uint32_t width, uint32_t height) {
    std::vector<char> jxr = ReadWholeFile(ImagePath("quad.jxr"));
    auto put = [&jxr](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            const int shift = bytes == 2 ? 8 * (1 - i) : 8 * (3 - i);
            jxr[at + static_cast<size_t>(i)] = static_cast<char>(value >> shift);
        }
    };
    int rewritten = 0;
    for (size_t i = 8; i + 12 <= jxr.size(); ++i) {
        // Container tags 0xBC80 (width) and 0xBC81 (height), one LONG each, little-endian.
        if (jxr[i] == '\x80' || jxr[i] == '\x81') {
            if (std::string(&jxr[i + 1], 7) == std::string("\xBC\x04\x00\x01\x00\x00\x00", 7)) {
                const uint32_t value = jxr[i] == '\x80' ? width : height;
                for (int b = 0; b < 4; ++b) jxr[i + 8 + static_cast<size_t>(b)] = static_cast<char>(value >> (8 * b));
                ++rewritten;
            }
        }
        // The codestream's short header: width - 1 and height - 1, big-endian.
        if (std::string(&jxr[i], 8) == std::string("WMPHOTO\0", 8) && i + 16 <= jxr.size()) {
            put(i + 12, width - 1, 2);
            put(i + 14, height - 1, 2);
            ++rewritten;
        }
    }
    EXPECT_EQ(rewritten, 3) << "quad.jxr's layout is not the expected one";
    return jxr;
}

TEST(WicFormatsHostile, RefusedWithoutACrashOrHandles) {
    const std::vector<char> jxr = ReadWholeFile(ImagePath("quad.jxr"));
    const std::vector<char> tga = ReadWholeFile(ImagePath("quad.tga"));
    ASSERT_FALSE(jxr.empty());
    const struct {
        const char* name;
        std::vector<char> bytes;
        int decodeResult;  // 0: FindPlugin already refuses
    } cases[] = {
        {"truncated.jxr", std::vector<char>(jxr.begin(), jxr.begin() + static_cast<std::ptrdiff_t>(jxr.size() / 2)), 2},
        {"huge.jxr", JxrDeclaring(60000, 60000), 4},
        {"random.jxr", Garbage(3000, 19), 0},
        {"empty.dds", {}, 0},
        // TGA has no mark of its own: its head alone is not enough.
        {"targa.bin", tga, 0},
    };
    for (const auto& c : cases) {
        const std::string path = WriteWork(c.name, c.bytes);
        const PluginMatch match = Host().FindPlugin(path);
        if (c.decodeResult == 0) {
            EXPECT_EQ(match.row, -1) << c.name;
            continue;
        }
        ASSERT_EQ(match.row, RowOf("IFWICX.SPI")) << c.name;
        HLOCAL info = nullptr;
        HLOCAL bits = nullptr;
        const int result = Host().DecodePicture(match, path, &info, &bits);
        if (c.decodeResult == 4) {
            EXPECT_EQ(result, 4) << c.name << ": refused by the size limit";
        } else {
            EXPECT_NE(result, 0) << c.name;
        }
        EXPECT_EQ(info, nullptr) << c.name;
        EXPECT_EQ(bits, nullptr) << c.name;
    }
}

}  // namespace
