#pragma once
// The one-off move of version 1.03 data into the version 1.04 profile.
//
// Version 1.03 kept its data under HKEY_CURRENT_USER\Software\V-ezaru\Mirado:
//   "Reserve"/"Entry"                  E, the standard wallpaper counted as entry 0
//   "Reserve\Data", "Reserve\Name"/k   pair k (data text, file name), k = 0..E-1;
//                                      pair 0 is the standard wallpaper
//   "Settings"/"AddFolder"             one extra image folder
//   "Settings"/Flag1stBoot ...         five flags
// The platform reads those keys into OldData; everything else happens here.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SettingsProfile.h"

namespace old_layout {

inline constexpr const char* kRootPath = "Software\\V-ezaru\\Mirado";
inline constexpr const char* kReserveSection = "Reserve";
inline constexpr const char* kEntryName = "Entry";
inline constexpr const char* kDataSection = "Reserve\\Data";
inline constexpr const char* kNameSection = "Reserve\\Name";
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kAddFolderName = "AddFolder";

// What an old int reads as when its key cannot be opened (the "Reserve" key
// missing means there is no old data at all).
inline constexpr int32_t kUnreadInt = -1;

// The old keys, deepest first, as the deletion takes them (paths below
// HKEY_CURRENT_USER). "Reserve\BmpName" belongs to the old layout but is never read.
const std::array<const char*, 7>& KeysToDelete();

}  // namespace old_layout

struct OldPair {
    std::string dataText;
    std::string fileName;
};

struct OldData {
    // At most this many pairs are held; a larger old count is read for its first ones.
    static constexpr int kMaxPairs = 1024;
    static constexpr int kFlagCount = 5;

    int32_t entry = old_layout::kUnreadInt;  // E as read
    std::vector<OldPair> pairs;              // pairs 0 .. PairsToRead(entry) - 1
    std::string addFolder;
    std::array<int32_t, kFlagCount> flags{}; // in the order of MigratedFlags()
};

// The five flags, in the order they are read and written; their value names are
// the same in both versions.
const std::array<IntSetting, OldData::kFlagCount>& MigratedFlags();

// How many pairs to read for an old count: 0..E-1, but pair 0 even when E is below
// 1, and never more than kMaxPairs.
int PairsToRead(int32_t entry);

// Whether OK may migrate at all: E = -1 means the old "Reserve" key is missing.
bool HasOldData(const OldData& old);

// The view-folder title of the extra folder: the text after the last backslash
// (the whole last component, dots included); the whole path when it is shorter
// than four bytes; "(なし)" when it holds no backslash.
std::string MigratedFolderTitle(const std::string& folder);

// Writes the version 1.04 layout, in this order: "Reserve"/"Entry", the standard
// wallpaper's name and data, the reservations' data and name by index, the five
// flags, the extra folder's path and title under "00" when there is one, and
// "ViewFolder"/MaxFolder. Texts are carried over byte for byte. Returns whether
// every write was taken: only then may the old data be deleted.
bool WriteNewLayout(const OldData& old, SettingsProfile& profile);
