#pragma once
// Every value of the settings profile, once, with its section, type and default.
// The profile lives at HKEY_CURRENT_USER\Software\Vezaru\Mirado.

#include "SettingsProfile.h"

namespace profile {

inline constexpr const char* kCompanyKey = "Vezaru";
inline constexpr const char* kApplicationName = "Mirado";

// "Settings"
inline constexpr IntSetting kFlag1stBoot{"Settings", "Flag1stBoot", 0};
// MDS's first-run test reads Flag1stBoot with this default to tell "missing" apart.
inline constexpr int32_t kFlag1stBootMissing = -1;
inline constexpr IntSetting kFlagStdDispMD{"Settings", "FlagStdDispMD", 0};
inline constexpr IntSetting kFlagStdDispWIN{"Settings", "FlagStdDispWIN", 0};
inline constexpr IntSetting kFlagShuffle{"Settings", "FlagShuffle", 0};
inline constexpr IntSetting kFlagBoss{"Settings", "FlagBoss", 0};
inline constexpr IntSetting kFlagPasswd{"Settings", "FlagPasswd", 0};
inline constexpr StringSetting kPasswd{"Settings", "Passwd", ""};
inline constexpr int kPasswordMaxLength = 32;

// "Size": pixel widths of the reservation list's three columns (MDS).
inline constexpr IntSetting kListSet0{"Size", "ListSet0", 150};
inline constexpr IntSetting kListSet1{"Size", "ListSet1", 303};
inline constexpr IntSetting kListSet2{"Size", "ListSet2", 150};

// "ViewFolder": the view-folder table. Titles and paths are stored under
// FolderValueName(i - 1) in the two subsections.
inline constexpr IntSetting kMaxFolder{"ViewFolder", "MaxFolder", 1};
inline constexpr const char* kViewFolderTitleSection = "ViewFolder\\Title";
inline constexpr const char* kViewFolderPathSection = "ViewFolder\\Path";

// "Reserve": the reservation table. Names and texts are stored under the
// reservation's 0-based index in decimal in the two subsections.
inline constexpr IntSetting kEntry{"Reserve", "Entry", -1};
inline constexpr StringSetting kStdName{"Reserve\\Std", "Name", ""};
inline constexpr StringSetting kStdData{"Reserve\\Std", "Data", "00"};
inline constexpr const char* kReserveNameSection = "Reserve\\Name";
inline constexpr const char* kReserveDataSection = "Reserve\\Data";

}  // namespace profile
