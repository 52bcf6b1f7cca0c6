#pragma once
// The image folders that the settings program browses: entry 0 is always the
// Windows directory titled "システム" and is never stored; entries 1..count-1 are
// the user's folders in the order given.

#include <array>
#include <string>

#include "SettingsProfile.h"

// n in decimal, with a "0" in front when it has one digit, cut to two characters.
std::string FolderValueName(int n);

struct ViewFolder {
    std::string title;
    std::string path;
};

class ViewFolderTable {
public:
    static constexpr int kCapacity = 16;

    // windowsDirectory: what GetWindowsDirectoryA reports; the platform passes it in.
    void Load(const SettingsProfile& profile, const std::string& windowsDirectory);
    void Save(SettingsProfile& profile) const;

    int Count() const { return count_; }
    const ViewFolder& Entry(int i) const { return entries_[static_cast<size_t>(i)]; }

    // Appends a user folder; false when the table is full.
    bool Add(const std::string& title, const std::string& path);
    // Removes user folder i (1..count-1); entry 0 stays.
    bool Remove(int i);
    // Keeps entry 0 and drops every user folder.
    void ClearUserFolders() { count_ = 1; }

    static const char* SystemTitle();

private:
    std::array<ViewFolder, kCapacity> entries_{};
    int count_ = 1;
};
