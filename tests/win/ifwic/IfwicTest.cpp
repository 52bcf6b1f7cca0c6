// IFWIC.SPI loaded as a host loads it, fed the pictures ImageMagick made at
// build time and hostile files made here.

#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "SpiLoader.h"
#include "win/Owned.h"

namespace {

const SpiPlugin& Plugin() {
    static SpiPlugin plugin;
    static const bool loaded = plugin.Load();
    EXPECT_TRUE(loaded) << "IFWIC.SPI or one of its functions is missing";
    return plugin;
}

std::string ImagePath(const char* name) { return ProgramFolder() + "images\\" + name; }

// Files this test makes; emptied of old runs' leftovers by overwriting.
std::string WorkPath(const std::string& name) {
    const std::string folder = ProgramFolder() + "work\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + name;
}

std::string WriteWork(const std::string& name, const std::vector<char>& bytes) {
    const std::string path = WorkPath(name);
    EXPECT_TRUE(WriteWholeFile(path, bytes.data(), bytes.size())) << path;
    return path;
}

HLOCAL const kUntouched = reinterpret_cast<HLOCAL>(static_cast<uintptr_t>(0x5A5A));

struct Bgr {
    int b, g, r;
};

// One GetPicture call; owns and locks the two blocks when it succeeded.
class Decoded {
public:
    Decoded(const char* buf, LONG_PTR len, unsigned int flag, spi::ProgressCallback progress = nullptr, LONG_PTR data = 0) {
        result = Plugin().getPicture(buf, len, flag, &info, &bits, progress, data);
        if (result == 0 && info != nullptr && bits != nullptr) {
            header = static_cast<const BITMAPINFOHEADER*>(LocalLock(info));
            pixels = static_cast<const uint8_t*>(LocalLock(bits));
        }
    }
    ~Decoded() {
        if (header != nullptr) LocalUnlock(info);
        if (pixels != nullptr) LocalUnlock(bits);
        if (result == 0) {
            LocalFree(info);
            LocalFree(bits);
        }
    }
    Decoded(const Decoded&) = delete;
    Decoded& operator=(const Decoded&) = delete;

    size_t Stride() const { return (static_cast<size_t>(header->biWidth) * 3 + 3) & ~static_cast<size_t>(3); }

    // x, y counted from the picture's top-left corner; the rows are bottom-up.
    Bgr Pixel(int x, int y) const {
        const uint8_t* p = pixels + static_cast<size_t>(header->biHeight - 1 - y) * Stride() + static_cast<size_t>(x) * 3;
        return {p[0], p[1], p[2]};
    }

    bool Ok() const { return result == 0 && header != nullptr && pixels != nullptr; }

    int result = -99;
    HLOCAL info = kUntouched;
    HLOCAL bits = kUntouched;
    const BITMAPINFOHEADER* header = nullptr;
    const uint8_t* pixels = nullptr;
};

// The four quarters of the test picture: red, lime / blue, white.
void ExpectQuarters(const Decoded& d, int tolerance) {
    const struct {
        int x, y;
        Bgr colour;
        const char* name;
    } points[] = {{9, 4, {0, 0, 255}, "red"},
                  {28, 4, {0, 255, 0}, "lime"},
                  {9, 16, {255, 0, 0}, "blue"},
                  {28, 16, {255, 255, 255}, "white"}};
    for (const auto& point : points) {
        const Bgr got = d.Pixel(point.x, point.y);
        EXPECT_NEAR(got.b, point.colour.b, tolerance) << point.name;
        EXPECT_NEAR(got.g, point.colour.g, tolerance) << point.name;
        EXPECT_NEAR(got.r, point.colour.r, tolerance) << point.name;
    }
}

void ExpectFailure(const Decoded& d, std::initializer_list<int> allowed, const std::string& what) {
    bool listed = false;
    for (int code : allowed) listed = listed || d.result == code;
    EXPECT_TRUE(listed) << what << ": result " << d.result;
    EXPECT_EQ(d.info, nullptr) << what;
    EXPECT_EQ(d.bits, nullptr) << what;
}

std::string InfoText(int infono, int* length = nullptr) {
    char buf[256] = {};
    const int n = Plugin().getPluginInfo(infono, buf, sizeof buf);
    if (length != nullptr) *length = n;
    return buf;
}

// ---- GetPluginInfo -------------------------------------------------------

TEST(IfwicInfo, AnnouncesAnImportPluginWithFormatsThatFitTheHostTable) {
    int length = 0;
    EXPECT_EQ(InfoText(0, &length), "00IN");
    EXPECT_EQ(length, 4);
    EXPECT_NE(InfoText(1).find("IFWIC.SPI"), std::string::npos);

    // The host keeps 8 patterns of at most 7 characters for a plug-in, and
    // reads each format's list into 64 bytes.
    std::vector<std::string> patterns;
    int infono = 2;
    for (; infono < 40; infono += 2) {
        const std::string list = InfoText(infono, &length);
        if (length == 0) break;
        EXPECT_EQ(static_cast<size_t>(length), list.size());
        EXPECT_LT(list.size(), 64u);
        EXPECT_FALSE(InfoText(infono + 1).empty()) << "format name for " << list;
        size_t start = 0;
        for (;;) {
            const size_t end = list.find(';', start);
            patterns.push_back(list.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 1;
        }
    }
    EXPECT_EQ(InfoText(infono + 1), "") << "nothing past the last format";
    EXPECT_LE(patterns.size(), 8u);
    for (const std::string& pattern : patterns) {
        EXPECT_LE(pattern.size(), 7u) << pattern;
        EXPECT_EQ(pattern.compare(0, 2, "*."), 0) << pattern;
    }
    for (const char* wanted : {"*.jpg", "*.jpeg", "*.png", "*.gif", "*.tif", "*.tiff"}) {
        EXPECT_NE(std::find(patterns.begin(), patterns.end(), wanted), patterns.end()) << wanted;
    }
}

TEST(IfwicInfo, ShortBuffersAreCutAndTerminatedWithoutOverrun) {
    constexpr int kGuard = 16;
    for (int infono = 0; infono <= 12; ++infono) {
        for (int buflen = 0; buflen <= 70; ++buflen) {
            char space[kGuard + 80 + kGuard];
            std::memset(space, 0xA5, sizeof space);
            char* buf = space + kGuard;
            const int n = Plugin().getPluginInfo(infono, buf, buflen);
            const std::string where = "infono " + std::to_string(infono) + " buflen " + std::to_string(buflen);
            for (int i = 0; i < kGuard; ++i) ASSERT_EQ(static_cast<uint8_t>(space[i]), 0xA5) << where;
            for (int i = buflen; i < 80 + kGuard; ++i) ASSERT_EQ(static_cast<uint8_t>(buf[i]), 0xA5) << where;
            if (buflen == 0) {
                EXPECT_EQ(n, 0) << where;
                continue;
            }
            ASSERT_GE(n, 0) << where;
            ASSERT_LT(n, buflen) << where;
            EXPECT_EQ(buf[n], '\0') << where;
            EXPECT_EQ(std::strlen(buf), static_cast<size_t>(n)) << where;
            EXPECT_EQ(std::string(buf), InfoText(infono).substr(0, static_cast<size_t>(n))) << where;
        }
    }
    EXPECT_EQ(Plugin().getPluginInfo(0, nullptr, 8), 0);
    char buf[8] = "xxxxxxx";
    EXPECT_EQ(Plugin().getPluginInfo(-1, buf, sizeof buf), 0);
    EXPECT_EQ(buf[0], '\0');
}

// ---- IsSupported ---------------------------------------------------------

int SupportsHead(const void* magic, size_t length) {
    std::vector<char> head(2048, 0);
    std::memcpy(head.data(), magic, length);
    return Plugin().isSupported("x", reinterpret_cast<DWORD_PTR>(head.data()));
}

TEST(IfwicSupport, RecognisesFormatsByTheirFirstBytes) {
    EXPECT_NE(SupportsHead("\xFF\xD8\xFF\xE0", 4), 0);
    EXPECT_NE(SupportsHead("\x89PNG\r\n\x1A\n", 8), 0);
    EXPECT_NE(SupportsHead("GIF87a", 6), 0);
    EXPECT_NE(SupportsHead("GIF89a", 6), 0);
    EXPECT_NE(SupportsHead("II*\0", 4), 0);
    EXPECT_NE(SupportsHead("MM\0*", 4), 0);

    EXPECT_EQ(SupportsHead("", 0), 0);
    EXPECT_EQ(SupportsHead("GIF88a", 6), 0);
    EXPECT_EQ(SupportsHead("\x89PNG\r\n\x1A", 7), 0);
    EXPECT_EQ(SupportsHead("BMjunk that is no bitmap", 24), 0);
    EXPECT_EQ(SupportsHead("II+\0", 4), 0);
    EXPECT_EQ(Plugin().isSupported("x", 0), 0);

    for (const char* name : {"quad.png", "quad.jpg", "quad.tif", "palette.png", "anim.gif"}) {
        std::vector<char> head = ReadWholeFile(ImagePath(name));
        ASSERT_FALSE(head.empty()) << name;
        head.resize(2048, 0);
        EXPECT_NE(Plugin().isSupported(name, reinterpret_cast<DWORD_PTR>(head.data())), 0) << name;
    }
}

TEST(IfwicSupport, ReadsTheHeadFromAFileHandleAndLeavesItsPosition) {
    const ScopedHandle owner(CreateFileA(ImagePath("quad.jpg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(owner);
    const HANDLE file = owner.Get();
    ASSERT_LT(reinterpret_cast<DWORD_PTR>(file), 0x10000u) << "handles are small numbers";
    EXPECT_NE(Plugin().isSupported("quad.jpg", reinterpret_cast<DWORD_PTR>(file)), 0);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 0u);

    // From the middle of the file the head is no JPEG.
    SetFilePointer(file, 100, nullptr, FILE_BEGIN);
    EXPECT_EQ(Plugin().isSupported("quad.jpg", reinterpret_cast<DWORD_PTR>(file)), 0);
    EXPECT_EQ(SetFilePointer(file, 0, nullptr, FILE_CURRENT), 100u);
}

// ---- GetPicture on good pictures -----------------------------------------

struct GoodPicture {
    const char* name;
    int tolerance;  // JPEG is lossy
};

class IfwicDecode : public ::testing::TestWithParam<GoodPicture> {};

TEST_P(IfwicDecode, GivesABottomUp24BitDibInTwoMovableBlocks) {
    const std::string path = ImagePath(GetParam().name);
    Decoded d(path.c_str(), 0, 0);
    ASSERT_TRUE(d.Ok()) << "result " << d.result;

    const BITMAPINFOHEADER& h = *d.header;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 37);
    EXPECT_EQ(h.biHeight, 21) << "positive: bottom-up";
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 112u * 21) << "rows padded to 4 bytes";
    EXPECT_EQ(LocalSize(d.info), 40u);
    EXPECT_EQ(LocalSize(d.bits), h.biSizeImage);
    EXPECT_EQ(LocalFlags(d.info) & LMEM_LOCKCOUNT, 1u) << "movable blocks count their locks";
    for (int row = 0; row < 21; ++row) EXPECT_EQ(d.pixels[row * 112 + 111], 0) << "padding of row " << row;
    ExpectQuarters(d, GetParam().tolerance);
}

INSTANTIATE_TEST_SUITE_P(Formats, IfwicDecode,
                         ::testing::Values(GoodPicture{"quad.png", 0}, GoodPicture{"quad.jpg", 40},
                                           GoodPicture{"quad.tif", 0}, GoodPicture{"palette.png", 0},
                                           GoodPicture{"anim.gif", 0}),
                         [](const ::testing::TestParamInfo<GoodPicture>& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (c == '.') c = '_';
                             }
                             return name;
                         });

TEST(IfwicDecodeInput, ReadsCodePage932NamesEvenWithA5CTrailByte) {
    // "表" ends in the byte 0x5C, the backslash's value.
    const std::string folder = WorkPath("表示");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\写真.jpg";
    ASSERT_TRUE(CopyFileA(ImagePath("quad.jpg").c_str(), path.c_str(), FALSE)) << GetLastError();
    Decoded d(path.c_str(), 0, 0);
    ASSERT_TRUE(d.Ok()) << "result " << d.result;
    ExpectQuarters(d, 40);

    PictureInfo info = {};
    EXPECT_EQ(Plugin().getPictureInfo(path.c_str(), 0, 0, &info), 0);
    EXPECT_EQ(info.width, 37);
}

TEST(IfwicDecodeInput, StartsAtTheOffsetInAFileAndTakesMemory) {
    std::vector<char> bytes(128);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + 1);
    const std::vector<char> png = ReadWholeFile(ImagePath("quad.png"));
    ASSERT_FALSE(png.empty());
    bytes.insert(bytes.end(), png.begin(), png.end());
    const std::string path = WriteWork("header128.png", bytes);

    Decoded atOffset(path.c_str(), 128, 0);
    ASSERT_TRUE(atOffset.Ok()) << "result " << atOffset.result;
    ExpectQuarters(atOffset, 0);
    Decoded atStart(path.c_str(), 0, 0);
    ExpectFailure(atStart, {2}, "128 foreign bytes in front");
    Decoded pastEnd(path.c_str(), static_cast<LONG_PTR>(bytes.size()), 0);
    ExpectFailure(pastEnd, {2}, "offset at the end of the file");

    Decoded memory(bytes.data() + 128, static_cast<LONG_PTR>(png.size()), 1);
    ASSERT_TRUE(memory.Ok()) << "result " << memory.result;
    ExpectQuarters(memory, 0);
    EXPECT_EQ(std::memcmp(memory.pixels, atOffset.pixels, memory.header->biSizeImage), 0);

    PictureInfo info = {};
    info.hInfo = kUntouched;
    ASSERT_EQ(Plugin().getPictureInfo(bytes.data() + 128, static_cast<LONG_PTR>(png.size()), 1, &info), 0);
    EXPECT_EQ(info.left, 0);
    EXPECT_EQ(info.top, 0);
    EXPECT_EQ(info.width, 37);
    EXPECT_EQ(info.height, 21);
    EXPECT_EQ(info.colorDepth, 24);
    EXPECT_EQ(info.hInfo, nullptr);
    ASSERT_EQ(Plugin().getPictureInfo(ImagePath("anim.gif").c_str(), 0, 0, &info), 0);
    EXPECT_EQ(info.colorDepth, 8) << "the picture's own depth";
}

// ---- progress callback -----------------------------------------------------

struct ProgressLog {
    int calls = 0;
    int lastNum = -1;
    int lastDenom = -1;
    int stopAt = -1;  // the call that asks to stop
};

int __stdcall RecordProgress(int num, int denom, LONG_PTR data) {
    ProgressLog* log = reinterpret_cast<ProgressLog*>(data);
    log->lastNum = num;
    log->lastDenom = denom;
    return log->calls++ == log->stopAt ? 1 : 0;
}

TEST(IfwicProgress, ReportsToTheEndAndStopsWhenAsked) {
    const std::string path = ImagePath("quad.png");
    ProgressLog log;
    {
        Decoded d(path.c_str(), 0, 0, RecordProgress, reinterpret_cast<LONG_PTR>(&log));
        EXPECT_TRUE(d.Ok());
    }
    EXPECT_GE(log.calls, 2);
    EXPECT_EQ(log.lastNum, log.lastDenom);

    for (int stopAt : {0, 1}) {
        ProgressLog stopping;
        stopping.stopAt = stopAt;
        Decoded d(path.c_str(), 0, 0, RecordProgress, reinterpret_cast<LONG_PTR>(&stopping));
        ExpectFailure(d, {1}, "stopped at call " + std::to_string(stopAt));
    }
}

// ---- COM apartment of the calling thread -----------------------------------

struct ApartmentCase {
    DWORD model;  // ~0u: the thread has no COM
    int result = -99;
    HRESULT afterwards = E_FAIL;
};

DWORD WINAPI DecodeOnThread(void* param) {
    ApartmentCase* c = static_cast<ApartmentCase*>(param);
    const bool joined = c->model != ~0u && SUCCEEDED(CoInitializeEx(nullptr, c->model));
    {
        Decoded d(ImagePath("quad.png").c_str(), 0, 0);
        c->result = d.result;
    }
    // S_OK: the thread had no apartment left; S_FALSE: it kept its own.
    c->afterwards = CoInitializeEx(nullptr, c->model == ~0u ? static_cast<DWORD>(COINIT_MULTITHREADED) : c->model);
    if (SUCCEEDED(c->afterwards)) CoUninitialize();
    if (joined) CoUninitialize();
    return 0;
}

TEST(IfwicApartment, WorksOnAnyThreadAndLeavesItsComAsItWas) {
    const struct {
        DWORD model;
        HRESULT afterwards;
    } cases[] = {{~0u, S_OK}, {COINIT_MULTITHREADED, S_FALSE}, {COINIT_APARTMENTTHREADED, S_FALSE}};
    for (const auto& expected : cases) {
        ApartmentCase c;
        c.model = expected.model;
        const ScopedHandle thread(CreateThread(nullptr, 0, DecodeOnThread, &c, 0, nullptr));
        ASSERT_TRUE(thread);
        ASSERT_EQ(WaitForSingleObject(thread.Get(), 30000), WAIT_OBJECT_0);
        EXPECT_EQ(c.result, 0) << "model " << expected.model;
        EXPECT_EQ(c.afterwards, expected.afterwards) << "model " << expected.model;
    }
}

// ---- hostile and broken input ---------------------------------------------

uint32_t Crc32(const uint8_t* p, size_t n) {
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

void PutBe32(std::vector<char>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>(v >> shift));
}

void PngChunk(std::vector<char>& out, const char* type, const std::vector<char>& data) {
    PutBe32(out, static_cast<uint32_t>(data.size()));
    std::vector<char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutBe32(out, Crc32(reinterpret_cast<const uint8_t*>(typed.data()), typed.size()));
}

// A well-formed PNG whose header claims width x height pixels.
std::vector<char> PngOfSize(uint32_t width, uint32_t height) {
    std::vector<char> png = {'\x89', 'P', 'N', 'G', '\r', '\n', '\x1A', '\n'};
    std::vector<char> ihdr;
    PutBe32(ihdr, width);
    PutBe32(ihdr, height);
    ihdr.insert(ihdr.end(), {8, 2, 0, 0, 0});
    PngChunk(png, "IHDR", ihdr);
    PngChunk(png, "IDAT", {'\x78', '\x9C', '\x63', '\x00', '\x00', '\x00', '\x01', '\x00', '\x01'});
    PngChunk(png, "IEND", {});
    return png;
}

// The test JPEG with its frame header rewritten to 60000 x 60000.
std::vector<char> HugeJpeg() {
    std::vector<char> jpeg = ReadWholeFile(ImagePath("quad.jpg"));
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        const uint8_t marker = static_cast<uint8_t>(jpeg[i + 1]);
        if (static_cast<uint8_t>(jpeg[i]) == 0xFF && marker >= 0xC0 && marker <= 0xC2) {
            jpeg[i + 5] = jpeg[i + 7] = static_cast<char>(0xEA);  // 0xEA60 = 60000
            jpeg[i + 6] = jpeg[i + 8] = static_cast<char>(0x60);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header in quad.jpg";
    return jpeg;
}

// A GIF whose screen and only image are 65535 x 65535.
std::vector<char> HugeGif() {
    const char bytes[] = "GIF89a\xFF\xFF\xFF\xFF\x80\x00\x00"
                         "\x00\x00\x00\xFF\xFF\xFF"
                         "\x2C\x00\x00\x00\x00\xFF\xFF\xFF\xFF\x00"
                         "\x02\x02\x44\x01\x00\x3B";
    return std::vector<char>(bytes, bytes + sizeof bytes - 1);
}

// A little-endian TIFF whose first image claims 100000 x 100000 pixels.
std::vector<char> HugeTiff() {
    const char bytes[] = "II*\0\x08\0\0\0"
                         "\x02\0"
                         "\x00\x01\x04\0\x01\0\0\0\xA0\x86\x01\0"
                         "\x01\x01\x04\0\x01\0\0\0\xA0\x86\x01\0"
                         "\0\0\0\0";
    return std::vector<char>(bytes, bytes + sizeof bytes - 1);
}

std::vector<char> Head(const std::vector<char>& bytes, size_t size) {
    return std::vector<char>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(size, bytes.size())));
}

TEST(IfwicHostile, RefusesBrokenFilesWithACodeAndNoHandles) {
    const std::vector<char> png = ReadWholeFile(ImagePath("quad.png"));
    const std::vector<char> jpeg = ReadWholeFile(ImagePath("quad.jpg"));
    const std::vector<char> gif = ReadWholeFile(ImagePath("anim.gif"));
    std::vector<char> pngMagicThenGarbage(png.begin(), png.begin() + 8);
    const std::vector<char> noise = Garbage(4000, 1);
    pngMagicThenGarbage.insert(pngMagicThenGarbage.end(), noise.begin(), noise.end());

    const struct {
        const char* name;
        std::vector<char> bytes;
        std::initializer_list<int> allowed;
    } cases[] = {
        {"empty", {}, {2}},
        {"garbage", Garbage(5000, 7), {2}},
        {"png-magic-then-garbage", pngMagicThenGarbage, {2, 3}},
        {"png-cut-in-header", Head(png, 20), {2, 3}},
        {"png-cut-in-data", Head(png, png.size() / 2), {2, 3}},
        {"png-without-pixels", PngOfSize(0, 21), {2, 3}},
        {"jpeg-cut-in-header", Head(jpeg, 120), {2, 3}},
        {"jpeg-cut-in-data", Head(jpeg, jpeg.size() / 2), {2, 3}},
        {"gif-cut-in-header", Head(gif, 14), {2, 3}},
        {"huge-png", PngOfSize(100000, 100000), {4}},
        // 16384 pixels make 49152-byte rows: 5462 rows pass 256 MiB, 5461 do not.
        {"png-just-over-256-mib", PngOfSize(16384, 5462), {4}},
        {"png-just-within-256-mib-without-data", PngOfSize(16384, 5461), {2, 3}},
        {"huge-tiff", HugeTiff(), {4}},
        {"huge-jpeg", HugeJpeg(), {4}},
        {"huge-gif", HugeGif(), {4}},
    };
    for (const auto& c : cases) {
        const std::string path = WriteWork(std::string(c.name) + ".bin", c.bytes);
        Decoded fromFile(path.c_str(), 0, 0);
        ExpectFailure(fromFile, c.allowed, std::string(c.name) + " (file)");
        Decoded fromMemory(c.bytes.data(), static_cast<LONG_PTR>(c.bytes.size()), 1);
        ExpectFailure(fromMemory, c.allowed, std::string(c.name) + " (memory)");
        PictureInfo info = {};
        EXPECT_NE(Plugin().getPictureInfo(path.c_str(), 0, 0, &info), 0) << c.name;
    }
}

TEST(IfwicHostile, DamagedPicturesNeverCrashAndAnswerCoherently) {
    uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 8;
    };
    for (const char* name : {"quad.png", "quad.jpg", "quad.tif", "palette.png", "anim.gif"}) {
        const std::vector<char> original = ReadWholeFile(ImagePath(name));
        ASSERT_FALSE(original.empty()) << name;
        for (int round = 0; round < 60; ++round) {
            std::vector<char> bytes = original;
            const int changes = 1 + static_cast<int>(next() % 4);
            for (int i = 0; i < changes; ++i) bytes[next() % bytes.size()] = static_cast<char>(next());
            Decoded d(bytes.data(), static_cast<LONG_PTR>(bytes.size()), 1);
            const std::string what = std::string(name) + " round " + std::to_string(round);
            if (d.result == 0) {
                ASSERT_TRUE(d.Ok()) << what;
                EXPECT_EQ(d.header->biSizeImage, d.Stride() * static_cast<size_t>(d.header->biHeight)) << what;
                EXPECT_EQ(LocalSize(d.bits), d.header->biSizeImage) << what;
            } else {
                EXPECT_EQ(d.info, nullptr) << what;
                EXPECT_EQ(d.bits, nullptr) << what;
            }
        }
    }
}

TEST(IfwicHostile, AnswersCallsItCannotServe) {
    Decoded missing(WorkPath("no such file.jpg").c_str(), 0, 0);
    ExpectFailure(missing, {6}, "missing file");
    const std::string path = ImagePath("quad.png");
    Decoded unknownInput(path.c_str(), 0, 2);
    ExpectFailure(unknownInput, {-1}, "input kind 2");
    Decoded otherOutput(path.c_str(), 0, 0x100);
    ExpectFailure(otherOutput, {-1}, "output other than handles");

    HLOCAL info = kUntouched;
    HLOCAL bits = kUntouched;
    EXPECT_EQ(Plugin().getPreview(path.c_str(), 0, 0, &info, &bits, nullptr, 0), -1);
    EXPECT_EQ(info, nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_NE(Plugin().getPicture(path.c_str(), 0, 0, nullptr, nullptr, nullptr, 0), 0);
}

}  // namespace
