// The applier against the real registry of the test prefix, the real MD.dll and
// real plug-ins (a fixed-picture test plug-in and IFWIC.SPI) in a program folder
// beside this test.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "WallpaperApplier.h"
#include "core/ProfileValues.h"
#include "support/TestRegistry.h"
#include "win/MessageBox.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "support/ProfileRoot.h"

namespace {

using test_registry::GetString;
using test_registry::PutInt;
using test_registry::PutString;

std::string TestFolder() { return ProgramFolder(); }

std::string ProgramDir() { return TestFolder() + "\\program"; }
std::string DataDir() { return TestFolder() + "\\data"; }

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

std::string DesktopWallpaper() {
    char path[MAX_PATH * 2] = {};
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof path, path, 0);
    return path;
}

ReservationRecord Record(const std::string& fileName, int32_t method = kMethodCentre, int32_t colour = 0) {
    ReservationRecord record;
    record.fileName = fileName;
    record.displayMethod = method;
    record.colour = colour;
    return record;
}

class Applier : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetMessageRecorder([](HWND, const std::string& text, MessageKind, UINT) {
            ADD_FAILURE() << "unexpected message: " << text;
            return IDOK;
        });
        ASSERT_TRUE(SharedStateBinder().Load());
        CreateDirectoryA(DataDir().c_str(), nullptr);
        CreateDirectoryA((DataDir() + "\\upper").c_str(), nullptr);
        host = new PluginHost(PluginHost::Variant::Resident);
        ASSERT_TRUE(host->LoadPlugins(ProgramDir()));
        ASSERT_GE(host->Count(), 2) << "the test plug-in and IFWIC.SPI";
    }
    static void TearDownTestSuite() {
        delete host;
        host = nullptr;
        SharedStateBinder().Unload();
        SetMessageRecorder(nullptr);
    }
    void SetUp() override { DeleteFileA(applier.TempBitmapPath().c_str()); }

    // A picture file for the fixed-picture plug-in.
    static std::string Picture(const std::string& name, const std::string& variant) {
        const std::string path = DataDir() + "\\" + name;
        WriteBytes(path, "MIRADOTEST " + variant + "\n");
        return path;
    }

    static PluginHost* host;
    WallpaperApplier applier{*host, ProgramDir()};
    SharedStateBinder md;
};

PluginHost* Applier::host = nullptr;

TEST_F(Applier, EveryDisplayMethodWritesItsLayoutValues) {
    struct Case {
        int32_t method;
        const char* style;
        const char* tile;
    };
    const Case cases[] = {{0, "0", "0"}, {1, "0", "1"}, {2, "2", "0"}, {3, "0", "0"}, {4, "0", "0"}, {9, "0", "0"}};
    for (const Case& c : cases) {
        PutString("Control Panel\\desktop", "WallpaperStyle", "x");
        PutString("Control Panel\\desktop", "TileWallpaper", "x");
        applier.ApplyReservation(Record("", c.method), 1);
        EXPECT_EQ(GetString("Control Panel\\desktop", "WallpaperStyle"), c.style) << "method " << c.method;
        EXPECT_EQ(GetString("Control Panel\\desktop", "TileWallpaper"), c.tile) << "method " << c.method;
    }
}

TEST_F(Applier, TheColourIsWrittenOnceUntilItChanges) {
    applier.ApplyReservation(Record("", kMethodCentre, 4227327), 1);
    EXPECT_EQ(GetString("Control Panel\\Colors", "Background"), "255 128 64");
    EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), 4227327u);
    EXPECT_EQ(applier.LastColour(), 4227327);

    // The same colour again leaves both the value and the system colour alone.
    PutString("Control Panel\\Colors", "Background", "1 2 3");
    applier.ApplyReservation(Record("", kMethodTile, 4227327), 2);
    EXPECT_EQ(GetString("Control Panel\\Colors", "Background"), "1 2 3");

    applier.ApplyReservation(Record("", kMethodCentre, 0x00010203), 2);
    EXPECT_EQ(GetString("Control Panel\\Colors", "Background"), "3 2 1");

    // A fresh applier remembers nothing: its first apply always writes.
    WallpaperApplier fresh(*host, ProgramDir());
    PutString("Control Panel\\Colors", "Background", "9 9 9");
    fresh.ApplyReservation(Record("", kMethodCentre, 0x00010203), 1);
    EXPECT_EQ(GetString("Control Panel\\Colors", "Background"), "3 2 1");
}

TEST_F(Applier, TheShownItemIsTheRecordIndexLessOne) {
    applier.ApplyReservation(Record(""), 5);
    EXPECT_EQ(md.GetItem(), 4);
    applier.ApplyReservation(Record(""), 0);
    EXPECT_EQ(md.GetItem(), -1) << "the standard wallpaper";
}

TEST_F(Applier, APictureGoesThroughThePlugInIntoTheTemporaryBitmap) {
    for (const std::string& name : {std::string("photo.jpg"), std::string("upper\\photo.JPG")}) {
        SCOPED_TRACE(name);
        DeleteFileA(applier.TempBitmapPath().c_str());
        applier.ApplyReservation(Record(Picture(name, "8"), kMethodStretch, 0x102030), 3);
        EXPECT_EQ(DesktopWallpaper(), ProgramDir() + "\\MD_TMP.bmp");
        EXPECT_EQ(md.GetItem(), 2);
        const std::vector<uint8_t> file = ReadBytes(applier.TempBitmapPath());
        ASSERT_EQ(file.size(), 1086u);
        EXPECT_EQ(file[0], 'B');
        EXPECT_EQ(file[1], 'M');
        EXPECT_EQ(Le32(file, 2), 1086u);
        EXPECT_EQ(Le32(file, 10), 1078u);
        EXPECT_EQ(Le32(file, 14), 40u);
        EXPECT_EQ(file[14 + 40 + 4 * 200], 200) << "the colour table follows the header";
        EXPECT_EQ(file[14 + 40 + 4 * 200 + 1], 55);
        EXPECT_EQ(std::vector<uint8_t>(file.begin() + 1078, file.end()), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    }
}

TEST_F(Applier, ARealJpegIsDecodedByIfwic) {
    const std::string path = TestFolder() + "\\images\\sky.jpg";
    ASSERT_EQ(applier.ConvertToTempBitmap(path), applier.TempBitmapPath());
    const std::vector<uint8_t> file = ReadBytes(applier.TempBitmapPath());
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(Le32(file, 2), file.size());
    EXPECT_EQ(Le32(file, 18), 37u);  // width
    EXPECT_EQ(Le32(file, 22), 21u);  // height, bottom-up
}

TEST_F(Applier, BitmapsAndNamesWithoutExtensionAreHandedOverUnchanged) {
    // A 1x1 24-bit bitmap the system can load.
    const std::string bmp = DataDir() + "\\picture.bmp";
    std::string bytes("BM\x3a\0\0\0\0\0\0\0\x36\0\0\0" "\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0" "\0\0\0\0\x04\0\0\0"
                      "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0" "\x10\x20\x30\0", 58);
    WriteBytes(bmp, bytes);
    applier.ApplyReservation(Record(bmp), 2);
    EXPECT_EQ(DesktopWallpaper(), bmp);
    EXPECT_EQ(GetFileAttributesA(applier.TempBitmapPath().c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(applier.ConvertToTempBitmap(bmp), "") << "bitmaps are never converted";

    // A picture the plug-in would read, but its name has no extension.
    const std::string bare = Picture("bare", "8");
    applier.ApplyReservation(Record(bare), 2);
    EXPECT_EQ(GetFileAttributesA(applier.TempBitmapPath().c_str()), INVALID_FILE_ATTRIBUTES)
        << "no conversion was tried";
}

TEST_F(Applier, WhatCannotBeConvertedLeavesTheBackgroundColourOnly) {
    const std::string unknown = DataDir() + "\\unknown.jpg";
    WriteBytes(unknown, "no plug-in reads this");
    applier.ApplyReservation(Record(unknown), 2);
    EXPECT_EQ(DesktopWallpaper(), "");
    EXPECT_EQ(applier.ConvertToTempBitmap(Picture("broken.jpg", "fail")), "");
    EXPECT_EQ(applier.ConvertToTempBitmap(""), "");
    EXPECT_EQ(applier.ConvertToTempBitmap(DataDir() + "\\absent.jpg"), "");

    PluginHost empty(PluginHost::Variant::Resident);
    WallpaperApplier unloaded(empty, ProgramDir());
    EXPECT_EQ(unloaded.ConvertToTempBitmap(Picture("photo.jpg", "8")), "") << "no plug-in loaded";
}

TEST_F(Applier, ATemporaryBitmapThatCannotBeWrittenIsNotHandedOver) {
    // A stale picture from an earlier apply, held open without sharing.
    WriteBytes(applier.TempBitmapPath(), "stale");
    HANDLE held = CreateFileA(applier.TempBitmapPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    applier.ApplyReservation(Record(Picture("photo.jpg", "8")), 2);
    CloseHandle(held);
    EXPECT_EQ(DesktopWallpaper(), "");
    const std::vector<uint8_t> file = ReadBytes(applier.TempBitmapPath());
    EXPECT_EQ(std::string(file.begin(), file.end()), "stale");
}

TEST_F(Applier, TheColourTableAndPixelsFollowTheHeaderTheyCameWith) {
    // A 124-byte header with 16 colours: the table starts where the header ends.
    ASSERT_EQ(applier.ConvertToTempBitmap(Picture("v5.tst", "v5")), applier.TempBitmapPath());
    std::vector<uint8_t> file = ReadBytes(applier.TempBitmapPath());
    ASSERT_EQ(file.size(), 14u + 124 + 64 + 8);
    EXPECT_EQ(Le32(file, 10), 14u + 124 + 64);
    EXPECT_EQ(file[14 + 124 + 4 * 3 + 1], 252);
    EXPECT_EQ(file[14 + 124 + 64], 1);

    // biSizeImage 0: the rows give the size (3 pixels of 24 bits pad to 12 bytes).
    ASSERT_EQ(applier.ConvertToTempBitmap(Picture("z24.tst", "z24")), applier.TempBitmapPath());
    file = ReadBytes(applier.TempBitmapPath());
    ASSERT_EQ(file.size(), 14u + 40 + 24);
    EXPECT_EQ(file.back(), 23);

}

TEST_F(Applier, BlocksShorterThanTheirHeaderGiveAFileThatSaysWhatItHolds) {
    struct Case {
        const char* variant;
        uint32_t fileSize, pixelOffset;
        int32_t height;
        uint32_t sizeImage;
    };
    const Case cases[] = {
        // 16 of 256 colours: the table is completed with black; the 8 pixel bytes are both rows.
        {"short", 14 + 40 + 1024 + 8, 14 + 40 + 1024, 2, 8},
        // Two whole rows of 12 bytes out of four, still top-down.
        {"rows", 14 + 40 + 24, 14 + 40, -2, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.variant);
        const std::string name = std::string(c.variant) + ".tst";
        ASSERT_EQ(applier.ConvertToTempBitmap(Picture(name, c.variant)), applier.TempBitmapPath());
        const std::vector<uint8_t> file = ReadBytes(applier.TempBitmapPath());
        ASSERT_EQ(file.size(), c.fileSize);
        EXPECT_EQ(Le32(file, 2), c.fileSize);
        EXPECT_EQ(Le32(file, 10), c.pixelOffset);
        EXPECT_EQ(static_cast<int32_t>(Le32(file, 14 + 8)), c.height);
        EXPECT_EQ(Le32(file, 14 + 20), c.sizeImage);

        // A real reader takes the file as its header describes it.
        HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, applier.TempBitmapPath().c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), static_cast<int>(sizeof dib));
        EXPECT_EQ(dib.dsBm.bmWidth, static_cast<LONG>(Le32(file, 14 + 4)));
        EXPECT_EQ(dib.dsBm.bmHeight, c.height < 0 ? -c.height : c.height);
        if (dib.dsBm.bmBitsPixel == 8) {
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, bitmap);
            RGBQUAD colours[256] = {};
            EXPECT_EQ(GetDIBColorTable(dc, 0, 256, colours), 256u);
            SelectObject(dc, old);
            DeleteDC(dc);
            EXPECT_EQ(colours[3].rgbGreen, 252) << "the plug-in's own entries";
            EXPECT_EQ(colours[16].rgbBlue + colours[16].rgbGreen + colours[16].rgbRed, 0) << "never pixels";
        }
        DeleteObject(bitmap);
    }
}

TEST_F(Applier, TheFirstRunCapturesTheDesktopAsTheStandardWallpaper) {
    struct Case {
        const char* style;
        const char* tile;
        int32_t method;
    };
    const Case cases[] = {{"0", "0", 0}, {"1", "0", 1}, {"1", "7", 1}, {"0", "1", 1},
                          {"2", "0", 2}, {"0", "", 2},  {"10", "0", 6}};
    RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
    SettingsProfile profile(store);
    const INT element = COLOR_BACKGROUND;
    const COLORREF colour = RGB(12, 34, 56);
    SetSysColors(1, &element, &colour);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.style) + "/" + c.tile);
        PutString("Control Panel\\desktop", "Wallpaper", "C:\\walls\\\x95\x5c.bmp");
        PutString("Control Panel\\desktop", "WallpaperStyle", c.style);
        PutString("Control Panel\\desktop", "TileWallpaper", c.tile);
        StandardWallpaper standard;
        applier.CaptureStandardWallpaper(standard, profile);
        EXPECT_EQ(standard.fileName, "C:\\walls\\\x95\x5c.bmp");
        EXPECT_EQ(standard.displayMethod, c.method);
        EXPECT_EQ(standard.colour, static_cast<int32_t>(colour));
        EXPECT_EQ(profile.Read(profile::kStdName), standard.fileName);
        EXPECT_EQ(profile.Read(profile::kStdData), std::to_string(c.method) + std::to_string(colour));
    }

    // A style stored as a number is no string: it reads as empty, which is stretch.
    PutInt("Control Panel\\desktop", "WallpaperStyle", 0);
    PutString("Control Panel\\desktop", "TileWallpaper", "0");
    StandardWallpaper standard;
    applier.CaptureStandardWallpaper(standard, profile);
    EXPECT_EQ(standard.displayMethod, kMethodStretch);
    PutString("Control Panel\\desktop", "WallpaperStyle", "0");
}

}  // namespace
