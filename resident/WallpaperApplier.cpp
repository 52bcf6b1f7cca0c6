#include "WallpaperApplier.h"

#include <windows.h>

#include <cstdio>

#include "core/DesktopStyle.h"
#include "core/PathText.h"
#include "core/ReservationStorage.h"
#include "win/DecodedPicture.h"
#include "win/RegistryKey.h"

namespace {

constexpr const char* kDesktopKey = "Control Panel\\desktop";
constexpr const char* kColoursKey = "Control Panel\\Colors";
constexpr const char* kTempBitmapName = "\\MD_TMP.bmp";

bool WriteAll(HANDLE file, const void* data, uint32_t bytes) {
    DWORD written = 0;
    return bytes == 0 || (WriteFile(file, data, bytes, &written, nullptr) && written == bytes);
}

}  // namespace

WallpaperApplier::WallpaperApplier(PluginHost& plugins, std::string programFolder)
    : plugins_(plugins), programFolder_(std::move(programFolder)) {}

std::string WallpaperApplier::TempBitmapPath() const { return programFolder_ + kTempBitmapName; }

void WallpaperApplier::WriteLayout(int32_t displayMethod) {
    // Methods 3 and 4 have names only; they are laid out as centre.
    const DesktopStyle style = DesktopStyleOf(displayMethod);
    const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE | KEY_SET_VALUE);
    key.WriteString("WallpaperStyle", style.wallpaperStyle);
    key.WriteString("TileWallpaper", style.tileWallpaper);
}

void WallpaperApplier::WriteColour(int32_t colour) {
    char text[40];
    std::snprintf(text, sizeof text, "%d %d %d", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    RegistryKey::Open(HKEY_CURRENT_USER, kColoursKey, KEY_QUERY_VALUE | KEY_SET_VALUE).WriteString("Background", text);
    const INT element = COLOR_BACKGROUND;
    const COLORREF value = static_cast<COLORREF>(colour);
    SetSysColors(1, &element, &value);
    lastColour_ = colour;
}

void WallpaperApplier::ApplyReservation(const ReservationRecord& record, int32_t recordIndex) {
    WriteLayout(record.displayMethod);
    if (record.colour != lastColour_) WriteColour(record.colour);
    md_.SetItem(recordIndex - 1);

    // Bitmaps and names without an extension go to the system as they are.
    const std::string extension = GetUpperExtension(record.fileName);
    const std::string file =
        extension == "BMP" || extension.empty() ? record.fileName : ConvertToTempBitmap(record.fileName);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

std::string WallpaperApplier::ConvertToTempBitmap(const std::string& fileName) {
    if (fileName.empty() || GetUpperExtension(fileName) == "BMP") return "";
    const PluginBitmap picture(plugins_, fileName);
    if (picture.Outcome() != PluginBitmap::Result::Decoded) return "";
    const std::vector<uint8_t>& head = picture.Head();

    const std::string path = TempBitmapPath();
    // The previous picture's file is written over and then cut to length: its
    // pages are reused, where emptying it first had the system free and refill
    // them (some 24 MB for a 4K picture). No other program has it open meanwhile.
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // A file that cannot be written would leave the system a stale or broken
    // picture; the background colour alone is the honest result.
    if (file == INVALID_HANDLE_VALUE) return "";
    const bool written = WriteAll(file, head.data(), static_cast<uint32_t>(head.size())) &&
                         WriteAll(file, picture.Bits(), picture.Layout().imageSize) && SetEndOfFile(file);
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed) {
        DeleteFileA(path.c_str());
        return "";
    }
    return path;
}

void WallpaperApplier::CaptureStandardWallpaper(StandardWallpaper& standard, SettingsProfile& profile) {
    {
        const RegistryKey key = RegistryKey::Open(HKEY_CURRENT_USER, kDesktopKey, KEY_QUERY_VALUE);
        if (key.IsOpen()) {
            std::string wallpaper, style, tile;
            // A value that is missing or not REG_SZ reads as empty.
            if (!key.ReadString("Wallpaper", wallpaper)) wallpaper.clear();
            if (!key.ReadString("WallpaperStyle", style)) style.clear();
            if (!key.ReadString("TileWallpaper", tile)) tile.clear();
            standard.fileName = wallpaper;
            standard.displayMethod = DisplayMethodOfDesktop(style, tile);
        }
    }
    standard.colour = static_cast<int32_t>(GetSysColor(COLOR_BACKGROUND));
    SaveStandardWallpaper(profile, standard);
}
