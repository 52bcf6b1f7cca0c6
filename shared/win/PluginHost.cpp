#include "PluginHost.h"

#include <cstring>

#include "PluginAbi.h"
#include "RegistryStore.h"
#include "core/Cp932Text.h"

namespace {

using GetPluginInfoFn = spi::GetPluginInfoProc*;
using IsSupportedFn = spi::IsSupportedProc*;
using GetPictureFn = spi::GetPictureProc*;

constexpr int kVersionLength = 8;
constexpr int kDescriptionLength = 256;
constexpr int kPatternListLength = 64;
constexpr size_t kPatternSlot = sizeof(PluginRecord{}.patterns[0]);

// Some plug-ins crash when handed no progress callback; this one never cancels.
int __stdcall IgnoreProgress(int, int, LONG_PTR) { return 0; }

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    // Casting through a generic function pointer keeps -Wcast-function-type quiet.
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Asks for one info string into a buffer one byte longer than the length the
// plug-in is told, so that a plug-in that fills the buffer without a terminating
// zero still leaves a terminated string.
template <size_t N>
int ReadInfo(GetPluginInfoFn getPluginInfo, int infoNumber, char (&buffer)[N]) {
    std::memset(buffer, 0, N);
    const int result = getPluginInfo(infoNumber, buffer, static_cast<int>(N - 1));
    buffer[N - 1] = '\0';
    return result;
}

// Copies text into a field of `size` bytes; when it must be cut, the cut falls on
// a character boundary, so no lone lead byte remains at the end.
void CopyCut(const char* text, char* field, size_t size) {
    const size_t keep = Cp932Prefix(text, size - 1);
    std::memcpy(field, text, keep);
    field[keep] = '\0';
}

bool IsDirectory(const WIN32_FIND_DATAA& found) { return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool AnyMatch(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

// Reads up to size bytes of the file's head as they are; false when it cannot be opened.
bool ReadHead(const std::string& path, unsigned char* head, DWORD size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file, head + total, size - total, &got, nullptr) || got == 0) break;
        total += got;
    }
    CloseHandle(file);
    return true;
}

}  // namespace

void PluginHost::CollectPatterns(FARPROC getPluginInfoProc, PluginRecord& row) {
    const auto getPluginInfo = reinterpret_cast<GetPluginInfoFn>(reinterpret_cast<void (*)()>(getPluginInfoProc));
    row.patternCount = 0;
    for (int format = 0; format < kMaxFormats && row.patternCount < kMaxPatterns; ++format) {
        char list[kPatternListLength + 1];
        if (ReadInfo(getPluginInfo, 2 + 2 * format, list) == 0) break;
        // Split at every ";" (no trail byte of code page 932 is 0x3B). The table keeps the first eight patterns; a pattern
        // that does not fit its slot is left out whole, since a shortened one would
        // name other files, and an empty part names none.
        const char* part = list;
        while (row.patternCount < kMaxPatterns) {
            const char* end = std::strchr(part, ';');
            const size_t length = end != nullptr ? static_cast<size_t>(end - part) : std::strlen(part);
            if (length > 0 && length < kPatternSlot) {
                char* slot = row.patterns[row.patternCount++];
                std::memcpy(slot, part, length);
                slot[length] = '\0';
            }
            if (end == nullptr) break;
            part = end + 1;
        }
    }
}

bool PluginHost::LoadPlugins(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.SPI").c_str(), &found);
    bool anyFile = false;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            anyFile = !IsDirectory(found);
        } while (!anyFile && FindNextFileA(search, &found));
    }
    if (!anyFile) {
        if (search != INVALID_HANDLE_VALUE) FindClose(search);
        loaded_ = false;
        return false;
    }

    ReleaseRows();
    // A file that is no DLL at all must not raise a system error box.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    do {
        if (IsDirectory(found)) continue;
        // The table has no room beyond its last row: the remaining files are not loaded.
        if (count_ >= kMaxPlugins) break;
        HMODULE module = LoadLibraryA((folder + "\\" + found.cFileName).c_str());
        if (module == nullptr) continue;
        const FARPROC infoProc = GetProcAddress(module, "GetPluginInfo");
        if (infoProc == nullptr) {
            FreeLibrary(module);
            continue;
        }
        const auto getPluginInfo = reinterpret_cast<GetPluginInfoFn>(reinterpret_cast<void (*)()>(infoProc));
        char version[kVersionLength + 1];
        ReadInfo(getPluginInfo, 0, version);
        if (std::strcmp(version, "00IN") != 0) {
            FreeLibrary(module);
            continue;
        }
        PluginRecord& row = table_[static_cast<size_t>(count_)];
        row = PluginRecord{};
        row.module = module;
        char description[kDescriptionLength + 1];
        ReadInfo(getPluginInfo, 1, description);
        CopyCut(description, row.description, sizeof row.description);
        CollectPatterns(infoProc, row);
        ++count_;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    SetThreadErrorMode(previousMode, nullptr);

    loaded_ = true;
    return true;
}

PluginMatch PluginHost::FindPlugin(const std::string& path) {
    if (!loaded_) return {};
    // One byte past the head so that a plug-in reading a string from the head
    // offered at +128 still finds a zero.
    unsigned char head[kHeadSize + 1] = {};
    if (!ReadHead(path, head, kHeadSize) && variant_ == Variant::Settings) {
        PluginMatch unopened;
        unopened.miss = PluginResult::CannotOpen;
        return unopened;
    }
    for (int32_t row = 0; row < count_; ++row) {
        const auto isSupported = Export<IsSupportedFn>(table_[static_cast<size_t>(row)].module, "IsSupported");
        if (isSupported == nullptr) continue;
        if (isSupported(path.c_str(), reinterpret_cast<DWORD_PTR>(head)) != 0) return {row, 0};
        if (isSupported(path.c_str(), reinterpret_cast<DWORD_PTR>(head + 128)) != 0) return {row, 128};
    }
    return {};
}

int32_t PluginHost::DecodePicture(const PluginMatch& match, const std::string& path, HLOCAL* info, HLOCAL* bits) {
    if (info != nullptr) *info = nullptr;
    if (bits != nullptr) *bits = nullptr;
    const int32_t row = match.row;
    if (info == nullptr || bits == nullptr || row < 0 || row >= count_) return -1;
    const auto getPicture = Export<GetPictureFn>(table_[static_cast<size_t>(row)].module, "GetPicture");
    if (getPicture == nullptr) return -1;

    HLOCAL infoBlock = nullptr;
    HLOCAL bitsBlock = nullptr;
    const int32_t result = getPicture(path.c_str(), match.headerOffset, 0, &infoBlock, &bitsBlock, IgnoreProgress, 0);
    if (result != 0) return result;
    // Success without both blocks would leave the caller nothing to lock; what
    // there is was handed over with the success, and goes.
    if (infoBlock == nullptr || bitsBlock == nullptr) {
        if (infoBlock != nullptr) LocalFree(infoBlock);
        if (bitsBlock != nullptr) LocalFree(bitsBlock);
        return -1;
    }
    *info = infoBlock;
    *bits = bitsBlock;
    return 0;
}

bool PluginHost::FolderHasImages(const std::string& folder) const {
    if (variant_ != Variant::Settings) return false;
    std::string base = folder;
    // A drive root ("C:\") already ends with its backslash, and so may a folder
    // handed in with one; never double it.
    if (base.size() > 3 && LastBackslash(base) != base.size() - 1) base += '\\';
    for (int32_t row = 0; row < count_; ++row) {
        const PluginRecord& record = table_[static_cast<size_t>(row)];
        for (int32_t p = 0; p < record.patternCount; ++p) {
            if (AnyMatch(base + record.patterns[p])) return true;
        }
    }
    return AnyMatch(base + "*.bmp");
}

void PluginHost::ReleaseRows() {
    for (int32_t row = 0; row < count_; ++row) {
        PluginRecord& record = table_[static_cast<size_t>(row)];
        if (record.module != nullptr) FreeLibrary(record.module);
        record = PluginRecord{};
    }
    count_ = 0;
}

void PluginHost::UnloadPlugins() {
    ReleaseRows();
    loaded_ = false;
}

std::string ReadSusiePluginFolder() {
    // Opened for reading and writing, as the viewer's own key is opened.
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, "Software\\Hanamori\\Susie\\Plug-in", kKeyReadWrite);
    std::string folder;
    if (!key.ReadString("Path", folder)) folder.clear();
    return folder;
}

bool LoadPluginsFromProgramOrSusieFolder(PluginHost& host, const std::string& programFolder) {
    if (host.LoadPlugins(programFolder)) return true;
    return host.LoadPlugins(ReadSusiePluginFolder());
}
