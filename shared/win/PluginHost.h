#pragma once
// The import plug-ins (*.SPI) of one process: loaded from a folder, offered a
// file's head to find the one that reads it, asked to decode it into a DIB held
// in two LocalAlloc blocks that the caller frees.

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>

// What became of a file offered to the loaded plug-ins: a lookup that finds no
// plug-in tells NoPlugin or CannotOpen, a decode tells Decoded or Failed.
enum class PluginResult {
    Decoded,
    NoPlugin,    // no loaded plug-in reads the file
    CannotOpen,  // the file cannot be opened (the settings program's host only)
    Failed,      // the plug-in failed, or its blocks do not hold a bitmap
};

// The plug-in that reads a file, and where in the file its header starts.
struct PluginMatch {
    int32_t row = -1;          // the plug-in's row in the table; -1 when none was found
    int32_t headerOffset = 0;  // 0, or 128 for a file behind a 128-byte header
    PluginResult miss = PluginResult::NoPlugin;  // why none was found: NoPlugin or CannotOpen
    bool Found() const { return row >= 0; }
};

struct PluginRecord {
    HMODULE module = nullptr;
    char description[256] = {};
    int32_t patternCount = 0;
    char patterns[8][8] = {};
};

class PluginHost {
public:
    // The resident changer's host never misses with CannotOpen (a file that
    // cannot be opened is offered as an all-zero head) and has no FolderHasImages.
    enum class Variant { Resident, Settings };

    static constexpr int kMaxPlugins = 256;
    static constexpr int kMaxPatterns = 8;
    static constexpr int kHeadSize = 2048 + 128;
    // A plug-in that never answers 0 for a format number would keep the load
    // asking for ever; no real plug-in describes this many formats.
    static constexpr int kMaxFormats = 128;

    explicit PluginHost(Variant variant) : variant_(variant) {}
    ~PluginHost() = default;  // the modules stay loaded unless UnloadPlugins runs
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    // folder without a trailing backslash. True when folder\*.SPI matched any
    // file (the table is then rebuilt from row 0), false otherwise (the table is
    // left as it was). The loaded flag takes the result. A rebuild first frees the
    // previous rows' modules; once 256 rows are in use no further file is loaded.
    bool LoadPlugins(const std::string& folder);

    // The first plug-in that accepts the file, with the header offset it accepted
    // it at; none (NoPlugin) when none does or no load found plug-in files, and
    // none with CannotOpen (settings variant only) when the file cannot be opened.
    PluginMatch FindPlugin(const std::string& path);

    // GetPicture of the matched plug-in for the file at the matched offset. Both
    // handles are NULL unless the plug-in returned 0; the result is the plug-in's
    // (0 success), or -1 when the row or its GetPicture is missing or when the
    // plug-in reported success without both blocks. After a failure the handles
    // the plug-in wrote are not to be used, so they are left alone (a plug-in may
    // have freed them itself): at worst a broken plug-in leaks, never a double free.
    int32_t DecodePicture(const PluginMatch& match, const std::string& path, HLOCAL* info, HLOCAL* bits);

    // Settings variant: whether the folder holds a file matching any loaded
    // pattern or "*.bmp".
    bool FolderHasImages(const std::string& folder) const;

    int32_t Count() const { return count_; }
    const PluginRecord& Record(int32_t row) const { return table_[static_cast<size_t>(row)]; }
    bool Loaded() const { return loaded_; }

    // Frees every row's module and empties the table, so that no row can reach
    // code that is gone; the loaded flag becomes false.
    void UnloadPlugins();

private:
    // Releases the modules of the rows in use and empties the table.
    void ReleaseRows();
    // Reads the patterns of the module's formats into the row.
    static void CollectPatterns(FARPROC getPluginInfo, PluginRecord& row);

    Variant variant_;
    std::array<PluginRecord, kMaxPlugins> table_{};
    int32_t count_ = 0;
    bool loaded_ = false;
};

// The Susie viewer's plug-in folder: the REG_SZ "Path" of
// HKEY_CURRENT_USER\Software\Hanamori\Susie\Plug-in, "" when it cannot be read.
std::string ReadSusiePluginFolder();

// Where both programs look for plug-ins: the program's folder first and, only
// when that holds no .SPI file at all, the Susie viewer's folder. Returns the
// last LoadPlugins result.
bool LoadPluginsFromProgramOrSusieFolder(PluginHost& host, const std::string& programFolder);
