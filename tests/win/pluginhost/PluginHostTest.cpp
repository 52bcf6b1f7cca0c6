#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestRegistry.h"
#include "win/PluginHost.h"
#include "win/ProgramFolder.h"

namespace {

// The test plug-ins' ids (their decoded pictures carry them).
constexpr DWORD kFmtId = 1;
constexpr DWORD kDup1Id = 5;
constexpr DWORD kDup2Id = 6;

const char kSusieKey[] = "Software\\Hanamori\\Susie\\Plug-in";

std::string PluginFolder(const std::string& name) { return ProgramFolder() + "\\plugins\\" + name; }

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// A folder of its own below the temporary folder, removed with all it holds.
class TempFolder {
public:
    TempFolder() {
        static int serial = 0;
        char temp[MAX_PATH + 1] = {};
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "mirado_pluginhost_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++serial);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string path = path_ + "\\" + name;
        WriteBytes(path, bytes);
        return path;
    }
    std::string Folder(const std::string& name) const {
        const std::string path = path_ + "\\" + name;
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    static void WriteBytes(const std::string& path, const std::string& bytes) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

private:
    std::string path_;
};

int RowOf(const PluginHost& host, const std::string& name) {
    const std::string description = name + " test plug-in";
    for (int row = 0; row < host.Count(); ++row) {
        if (description == host.Record(row).description) return row;
    }
    return -1;
}

std::vector<std::string> Patterns(const PluginRecord& record) {
    std::vector<std::string> patterns;
    for (int i = 0; i < record.patternCount; ++i) patterns.emplace_back(record.patterns[i]);
    return patterns;
}

// One of the test plug-in's own exports for the tests, -1 when it has none.
long AskPlugin(const PluginHost& host, int row, const char* name) {
    using AskFn = long(__stdcall*)();
    const FARPROC proc = GetProcAddress(host.Record(row).module, name);
    return proc == nullptr ? -1 : reinterpret_cast<AskFn>(reinterpret_cast<void (*)()>(proc))();
}

long IsSupportedCalls(const PluginHost& host, int row) { return AskPlugin(host, row, "TestIsSupportedCalls"); }

// What the test plug-in put into the decoded picture.
struct Decoded {
    int32_t result = -99;
    bool handlesNull = false;
    LONG width = 0, height = 0, offset = -1, callback = -1;
    DWORD id = 0;
    unsigned char firstPixelByte = 0;
};

Decoded Decode(PluginHost& host, const PluginMatch& match, const std::string& path) {
    Decoded d;
    HLOCAL info = reinterpret_cast<HLOCAL>(1);
    HLOCAL bits = reinterpret_cast<HLOCAL>(1);
    d.result = host.DecodePicture(match, path, &info, &bits);
    d.handlesNull = info == nullptr && bits == nullptr;
    if (d.result == 0 && info != nullptr && bits != nullptr) {
        const auto* header = static_cast<const BITMAPINFOHEADER*>(LocalLock(info));
        d.width = header->biWidth;
        d.height = header->biHeight;
        d.offset = header->biXPelsPerMeter;
        d.callback = header->biYPelsPerMeter;
        d.id = header->biClrImportant;
        d.firstPixelByte = *static_cast<const unsigned char*>(LocalLock(bits));
        LocalUnlock(info);
        LocalUnlock(bits);
    }
    if (info != nullptr) LocalFree(info);
    if (bits != nullptr) LocalFree(bits);
    return d;
}

void SetSusieFolder(const std::string* folder, DWORD type = REG_SZ) {
    test_registry::DeleteTree(kSusieKey);
    if (folder == nullptr) return;
    if (type == REG_DWORD) {
        test_registry::PutInt(kSusieKey, "Path", 7);
    } else {
        test_registry::PutString(kSusieKey, "Path", *folder, type);
    }
}

bool IsModuleLoaded(const std::string& path) { return GetModuleHandleA(path.c_str()) != nullptr; }

}  // namespace

TEST(LoadPlugins, TakesImportPluginsOnlyWithTheirPatternsInOrder) {
    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("formats")));
    EXPECT_TRUE(host.Loaded());
    // fmt, fail, many and nis; not the "00AM" plug-in nor the file that is no library.
    EXPECT_EQ(host.Count(), 4);
    EXPECT_EQ(RowOf(host, "archive"), -1);
    EXPECT_FALSE(IsModuleLoaded(PluginFolder("formats") + "\\archive.SPI"));

    const int fmt = RowOf(host, "fmt");
    ASSERT_GE(fmt, 0);
    EXPECT_EQ(Patterns(host.Record(fmt)), (std::vector<std::string>{"*.aaa", "*.aab", "*.aac"}));
    EXPECT_EQ(host.Record(fmt).patternCount, 3);
    host.UnloadPlugins();
}

TEST(LoadPlugins, KeepsWhatFitsTheRow) {
    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("formats")));
    const int many = RowOf(host, "many");
    ASSERT_EQ(many, -1);  // its description is no test name, find it by its patterns
    int row = -1;
    for (int r = 0; r < host.Count(); ++r) {
        if (host.Record(r).patternCount > 0 && std::string(host.Record(r).patterns[0]) == "*.p01") row = r;
    }
    ASSERT_GE(row, 0);
    // Patterns longer than seven characters are left out whole, a list that fills
    // its buffer without a zero is read up to the buffer's end, eight are kept.
    EXPECT_EQ(Patterns(host.Record(row)), (std::vector<std::string>{"*.p01", "*.p02", "*.abcde", "*.p03", "*.p04",
                                                                    "*.p05", "*.p06", "*.p07"}));
    // A 256-byte description without a zero is cut to 255 bytes, and a cut that
    // would split 表 drops both of its bytes.
    EXPECT_EQ(std::string(host.Record(row).description), std::string(254, 'D'));

    // A plug-in that answers every format number with an empty list ends too.
    const int nis = RowOf(host, "nis");
    ASSERT_GE(nis, 0);
    EXPECT_EQ(Patterns(host.Record(nis)), (std::vector<std::string>{"*.nis"}));
    host.UnloadPlugins();
}

TEST(LoadPlugins, AFolderWithoutPluginFilesLeavesTheTableAndClearsTheFlag) {
    TempFolder files;
    const std::string image = files.Write("x.aaa", "AAA!data");
    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("single")));
    ASSERT_EQ(host.Count(), 1);
    EXPECT_EQ(host.FindPlugin(image).row, 0);

    // Only other files and a folder named like a plug-in.
    EXPECT_FALSE(host.LoadPlugins(PluginFolder("empty")));
    EXPECT_FALSE(host.Loaded());
    EXPECT_EQ(host.Count(), 1);
    EXPECT_EQ(host.FindPlugin(image).row, -1);
    EXPECT_EQ(host.FindPlugin(files.Path() + "\\missing.aaa").row, -1);
    EXPECT_FALSE(host.LoadPlugins(PluginFolder("no such folder")));

    // A later load that finds files rebuilds the table from row 0.
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("formats")));
    EXPECT_EQ(host.Count(), 4);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("single")));
    EXPECT_EQ(host.Count(), 1);
    EXPECT_EQ(RowOf(host, "fmt"), 0);
    EXPECT_FALSE(IsModuleLoaded(PluginFolder("formats") + "\\many.SPI"));
    host.UnloadPlugins();
}

TEST(LoadPlugins, StopsAtTheLastRowAndLoadsNoFurtherFile) {
    TempFolder folder;
    const std::string source = PluginFolder("built") + "\\fmt.SPI";
    std::vector<std::string> copies;
    for (int i = 0; i < PluginHost::kMaxPlugins + 4; ++i) {
        copies.push_back(folder.Path() + "\\p" + std::to_string(1000 + i) + ".SPI");
        ASSERT_TRUE(CopyFileA(source.c_str(), copies.back().c_str(), FALSE));
    }
    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(folder.Path()));
    EXPECT_EQ(host.Count(), PluginHost::kMaxPlugins);
    int loaded = 0;
    for (const std::string& copy : copies) loaded += IsModuleLoaded(copy) ? 1 : 0;
    EXPECT_EQ(loaded, PluginHost::kMaxPlugins);

    host.UnloadPlugins();
    EXPECT_EQ(host.Count(), 0);
    EXPECT_FALSE(host.Loaded());
    loaded = 0;
    for (const std::string& copy : copies) loaded += IsModuleLoaded(copy) ? 1 : 0;
    EXPECT_EQ(loaded, 0);
}

TEST(FindPlugin, AMissingFileCannotBeOpenedOnlyInTheSettingsProgram) {
    TempFolder files;
    const std::string missing = files.Path() + "\\missing.aaa";
    const auto expectMiss = [](const PluginMatch& match, PluginResult miss) {
        EXPECT_FALSE(match.Found());
        EXPECT_EQ(match.row, -1);
        EXPECT_EQ(match.miss, miss);
    };

    PluginHost settings(PluginHost::Variant::Settings);
    expectMiss(settings.FindPlugin(missing), PluginResult::NoPlugin);  // nothing loaded yet
    ASSERT_TRUE(settings.LoadPlugins(PluginFolder("single")));
    const long before = IsSupportedCalls(settings, 0);
    expectMiss(settings.FindPlugin(missing), PluginResult::CannotOpen);
    expectMiss(settings.FindPlugin(files.Path()), PluginResult::CannotOpen);  // a folder is no file
    EXPECT_EQ(IsSupportedCalls(settings, 0), before);

    // The resident changer offers an all-zero head instead.
    PluginHost resident(PluginHost::Variant::Resident);
    ASSERT_TRUE(resident.LoadPlugins(PluginFolder("single")));
    const long residentBefore = IsSupportedCalls(resident, 0);
    expectMiss(resident.FindPlugin(missing), PluginResult::NoPlugin);
    EXPECT_EQ(IsSupportedCalls(resident, 0), residentBefore + 2);
    EXPECT_FALSE(resident.FolderHasImages(PluginFolder("single")));
    settings.UnloadPlugins();
    resident.UnloadPlugins();
}

TEST(FindPlugin, OffersAZeroFilledHeadAtZeroAndAt128) {
    TempFolder files;
    const std::string big = files.Write("big.aaa", "AAA!X" + std::string(4000, '\xFF'));
    const std::string shortFile = files.Write("short.aaa", "AAA!Z");
    const std::string headed = files.Write("headed.bin", std::string(128, 'H') + "AAA!" + std::string(100, '\x7F'));
    const std::string late = files.Write("late.bin", std::string(129, 'H') + "AAA!");
    const std::string other = files.Write("other.aaa", "BBB!");

    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("formats")));
    const int fmt = RowOf(host, "fmt");
    ASSERT_GE(fmt, 0);

    EXPECT_EQ(host.FindPlugin(big).row, fmt);
    // Accepted only when everything after the five bytes reads as zero.
    EXPECT_EQ(host.FindPlugin(shortFile).row, fmt);
    EXPECT_EQ(host.FindPlugin(late).row, -1);
    EXPECT_EQ(host.FindPlugin(other).row, -1);  // the archive plug-in would take anything

    // GetPicture gets the offset of the lookup just before it.
    ASSERT_EQ(host.FindPlugin(headed).row, fmt);
    Decoded d = Decode(host, host.FindPlugin(headed), headed);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.offset, 128);
    ASSERT_EQ(host.FindPlugin(big).row, fmt);
    d = Decode(host, host.FindPlugin(big), big);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.offset, 0);
    host.UnloadPlugins();
}

TEST(DecodePicture, HandsOverThePluginsBlocks) {
    TempFolder files;
    const std::string image = files.Write("x.aaa", "AAA!pixels");
    const std::string failing = files.Write("x.fal", "FAIL");
    PluginHost host(PluginHost::Variant::Resident);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("formats")));
    const int fmt = RowOf(host, "fmt");
    const int fail = RowOf(host, "fail");

    ASSERT_EQ(host.FindPlugin(image).row, fmt);
    const Decoded d = Decode(host, host.FindPlugin(image), image);
    EXPECT_EQ(d.result, 0);
    EXPECT_EQ(d.width, 2);
    EXPECT_EQ(d.height, 1);
    EXPECT_EQ(d.id, kFmtId);
    EXPECT_EQ(d.firstPixelByte, kFmtId * 16);
    EXPECT_EQ(d.callback, 1);  // a progress callback that lets it go on

    // A failure hands back no blocks, also when the plug-in allocated them, and
    // leaves those blocks alone.
    ASSERT_EQ(host.FindPlugin(failing).row, fail);
    const Decoded f = Decode(host, host.FindPlugin(failing), failing);
    EXPECT_EQ(f.result, 3);
    EXPECT_TRUE(f.handlesNull);
    EXPECT_EQ(AskPlugin(host, fail, "TestFailedBlocksValid"), 1);
    // Success without the pixel bits is no success.
    const std::string hollow = files.Write("hollow.fal", "NONE");
    ASSERT_EQ(host.FindPlugin(hollow).row, fail);
    const Decoded h = Decode(host, host.FindPlugin(hollow), hollow);
    EXPECT_EQ(h.result, -1);
    EXPECT_TRUE(h.handlesNull);

    EXPECT_EQ(Decode(host, {-1, 0}, image).result, -1);
    EXPECT_EQ(Decode(host, {host.Count(), 0}, image).result, -1);
    EXPECT_TRUE(Decode(host, {host.Count(), 0}, image).handlesNull);
    HLOCAL info = nullptr;
    EXPECT_EQ(host.DecodePicture({fmt, 0}, image, &info, nullptr), -1);
    EXPECT_EQ(info, nullptr);
    host.UnloadPlugins();
}

TEST(FindPlugin, TheFirstLoadedOfTwoWins) {
    // Load order is the file system's enumeration order; read it the same way.
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((PluginFolder("both") + "\\*.SPI").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    ASSERT_EQ(names.size(), 2u);
    const std::string first = names[0].substr(0, names[0].find('.'));

    TempFolder files;
    const std::string image = files.Write("x.dup", "BOTH");
    PluginHost host(PluginHost::Variant::Settings);
    ASSERT_TRUE(host.LoadPlugins(PluginFolder("both")));
    ASSERT_EQ(host.Count(), 2);
    EXPECT_EQ(RowOf(host, first), 0);
    ASSERT_EQ(host.FindPlugin(image).row, 0);
    EXPECT_EQ(Decode(host, host.FindPlugin(image), image).id, first == "dup1" ? kDup1Id : kDup2Id);
    host.UnloadPlugins();
}

TEST(LoadPlugins, ProgramFolderFirstSusieFolderOnlyWithoutPluginFiles) {
    TempFolder files;
    const std::string image = files.Write("x.aaa", "AAA!");
    const std::string susie = PluginFolder("single");
    SetSusieFolder(&susie);

    // Plug-in files that are no import plug-ins keep the Susie folder unread.
    PluginHost host(PluginHost::Variant::Resident);
    EXPECT_TRUE(LoadPluginsFromProgramOrSusieFolder(host, PluginFolder("onlyarchive")));
    EXPECT_TRUE(host.Loaded());
    EXPECT_EQ(host.Count(), 0);
    EXPECT_EQ(host.FindPlugin(image).row, -1);

    EXPECT_TRUE(LoadPluginsFromProgramOrSusieFolder(host, PluginFolder("empty")));
    EXPECT_EQ(host.Count(), 1);
    EXPECT_EQ(host.FindPlugin(image).row, 0);
    host.UnloadPlugins();

    // No Susie setting: the second search is "\*.SPI" at the current drive's root.
    SetSusieFolder(nullptr);
    char previous[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(files.Path().c_str()));
    const std::string atRoot = files.Path().substr(0, 3) + "mirado_pluginhost_root.SPI";
    EXPECT_FALSE(LoadPluginsFromProgramOrSusieFolder(host, PluginFolder("empty")));
    EXPECT_FALSE(host.Loaded());
    ASSERT_TRUE(CopyFileA((PluginFolder("built") + "\\fmt.SPI").c_str(), atRoot.c_str(), FALSE));
    EXPECT_TRUE(LoadPluginsFromProgramOrSusieFolder(host, PluginFolder("empty")));
    EXPECT_EQ(host.Count(), 1);
    host.UnloadPlugins();
    DeleteFileA(atRoot.c_str());
    SetCurrentDirectoryA(previous);
}

TEST(FolderHasImages, MatchesLoadedPatternsOrBitmaps) {
    TempFolder files;
    const std::string bitmaps = files.Folder("bitmaps");
    TempFolder::WriteBytes(bitmaps + "\\only.bmp", "BM");
    const std::string text = files.Folder("text");
    TempFolder::WriteBytes(text + "\\x.txt", "text");
    const std::string aac = files.Folder("aac");
    TempFolder::WriteBytes(aac + "\\x.aac", "AAA!");
    // 表 ends in the backslash byte; the folder still needs its separator.
    const std::string hyo = files.Folder("表");
    TempFolder::WriteBytes(hyo + "\\x.aab", "AAA!");

    PluginHost host(PluginHost::Variant::Settings);
    EXPECT_TRUE(host.FolderHasImages(bitmaps));
    EXPECT_FALSE(host.FolderHasImages(text));
    EXPECT_FALSE(host.FolderHasImages(aac));

    ASSERT_TRUE(host.LoadPlugins(PluginFolder("single")));
    EXPECT_TRUE(host.FolderHasImages(aac));
    EXPECT_TRUE(host.FolderHasImages(aac + "\\"));
    EXPECT_TRUE(host.FolderHasImages(hyo));
    EXPECT_FALSE(host.FolderHasImages(text));
    EXPECT_FALSE(host.FolderHasImages(files.Path() + "\\gone"));

    // A drive root: "C:\" + "*.aac", with no doubled backslash.
    const std::string root = files.Path().substr(0, 3);
    const std::string probe = root + "mirado_pluginhost_probe.aac";
    const bool before = host.FolderHasImages(root);
    TempFolder::WriteBytes(probe, "AAA!");
    EXPECT_TRUE(host.FolderHasImages(root));
    DeleteFileA(probe.c_str());
    EXPECT_EQ(host.FolderHasImages(root), before);
    host.UnloadPlugins();
}

TEST(ReadSusiePluginFolder, ReadsOnlyAStringValue) {
    SetSusieFolder(nullptr);
    EXPECT_EQ(ReadSusiePluginFolder(), "");
    const std::string folder = "C:\\表\\Susie";
    SetSusieFolder(&folder, REG_DWORD);
    EXPECT_EQ(ReadSusiePluginFolder(), "");
    SetSusieFolder(&folder, REG_EXPAND_SZ);
    EXPECT_EQ(ReadSusiePluginFolder(), "");
    SetSusieFolder(&folder);
    EXPECT_EQ(ReadSusiePluginFolder(), folder);
    SetSusieFolder(nullptr);
}
