#pragma once
// Puts one record of the reservation table on the desktop: the layout values and
// the background colour into the user's desktop settings, the shown item into
// MD.dll, an image that is not a Windows bitmap through the plug-ins into the
// temporary bitmap, and last the system call that loads the wallpaper. Needs no
// window; the resident dialog owns one for its whole life.

#include <cstdint>
#include <string>

#include "core/ReservationRecord.h"
#include "core/SettingsProfile.h"
#include "win/PluginHost.h"
#include "win/SharedStateBinder.h"

class WallpaperApplier {
public:
    // programFolder: the folder of MDK.EXE without a trailing backslash; the
    // temporary bitmap lies there. The host may be loaded later; it is used as it
    // is at each apply.
    WallpaperApplier(PluginHost& plugins, std::string programFolder);

    // Shows record, which is entry recordIndex of the reservation table (0: the
    // standard wallpaper; published to MD.dll as recordIndex - 1).
    void ApplyReservation(const ReservationRecord& record, int32_t recordIndex);

    // The temporary bitmap's path after writing the decoded image into it, or ""
    // when the file is empty, a bitmap, has no plug-in, cannot be decoded or
    // the temporary bitmap cannot be written.
    std::string ConvertToTempBitmap(const std::string& fileName);

    // Reads the desktop's wallpaper, layout and colour into standard and writes it
    // to "Reserve\Std". A desktop key that cannot be opened leaves the file name
    // and method as standard held them.
    void CaptureStandardWallpaper(StandardWallpaper& standard, SettingsProfile& profile);

    // "\MD_TMP.bmp" appended to the program folder.
    std::string TempBitmapPath() const;

    // The colour last written, -1 before the first apply.
    int32_t LastColour() const { return lastColour_; }

private:
    void WriteLayout(int32_t displayMethod);
    void WriteColour(int32_t colour);

    PluginHost& plugins_;
    SharedStateBinder md_;
    std::string programFolder_;
    int32_t lastColour_ = -1;
};

