#include "ViewFolderTable.h"

#include <algorithm>

#include "ProfileValues.h"

std::string FolderValueName(int n) {
    std::string text = std::to_string(n);
    if (text.size() == 1) text.insert(text.begin(), '0');
    return text.substr(0, 2);
}

const char* ViewFolderTable::SystemTitle() { return "システム"; }

void ViewFolderTable::Load(const SettingsProfile& profile, const std::string& windowsDirectory) {
    entries_[0] = {SystemTitle(), windowsDirectory};
    // The programs never write a count outside 1..16; a damaged one is held inside
    // the table rather than trusted.
    count_ = std::clamp<int32_t>(profile.Read(profile::kMaxFolder), 1, kCapacity);
    for (int i = 1; i < count_; ++i) {
        const std::string name = FolderValueName(i - 1);
        entries_[i].title = profile.ReadString(profile::kViewFolderTitleSection, name, "");
        entries_[i].path = profile.ReadString(profile::kViewFolderPathSection, name, "");
    }
}

void ViewFolderTable::Save(SettingsProfile& profile) const {
    profile.Write(profile::kMaxFolder, count_);
    for (int i = 1; i < count_; ++i) {
        const std::string name = FolderValueName(i - 1);
        profile.WriteString(profile::kViewFolderTitleSection, name, entries_[i].title);
        profile.WriteString(profile::kViewFolderPathSection, name, entries_[i].path);
    }
}

bool ViewFolderTable::Add(const std::string& title, const std::string& path) {
    if (count_ >= kCapacity) return false;
    entries_[count_++] = {title, path};
    return true;
}

bool ViewFolderTable::Remove(int i) {
    if (i < 1 || i >= count_) return false;
    std::move(entries_.begin() + i + 1, entries_.begin() + count_, entries_.begin() + i);
    --count_;
    return true;
}
