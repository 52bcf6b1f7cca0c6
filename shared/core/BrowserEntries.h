#pragma once
// The wallpaper list's entries for one folder: up to 1024 full paths kept sorted
// by file title, item k of the list showing slot k. On the first tab slot 0 stays
// empty and shows as "(なし)", standing for no wallpaper file.
//
// Titles are compared with ASCII letters folded only (never trail bytes). A title
// already present drops the newcomer, so the pattern searched first ("*.BMP")
// wins. When all 1024 slots are full, a file whose title sorts before the last
// one still enters and pushes the last one out; any other is dropped. The list so
// shows the folder's first 1024 titles in order, whatever order the searches
// found them in.

#include <string>
#include <vector>

class BrowserEntries {
public:
    static constexpr int kSlots = 1024;

    // Empties every slot; with noneSlot (the first tab) slot 0 is kept for "(なし)".
    void Clear(bool noneSlot);

    // Puts one found file in its place, shown by its file title (or by the
    // title given: a file whose own name the programs cannot spell is opened by
    // another); false when it was dropped.
    bool InsertSortedEntry(const std::string& path);
    bool InsertSortedEntry(const std::string& path, const std::string& title);
    // A file whose name the code page cannot spell and which has no other name
    // to open it by: listed by its title (as close as the code page allows)
    // with no path, so that nothing can take it for another file.
    bool InsertUnspellableEntry(const std::string& title);

    // Whether slot k is such a file.
    bool IsUnspellable(int slot) const;
    // The paths of the slots, in order, leaving out those of unspellable files;
    // skipped tells whether one was left out.
    std::vector<std::string> PathsOf(const std::vector<int>& slots, bool& skipped) const;

    // The number of list items: at least 1, since a folder without pictures
    // still shows one "(なし)" item for the empty path.
    int Count() const { return entries_.empty() ? 1 : static_cast<int>(entries_.size()); }
    // The first slot that holds a file: 1 with the "(なし)" slot, else 0.
    int FirstFileSlot() const { return noneSlot_ ? 1 : 0; }
    // The path of slot k; "" for the "(なし)" slot, an unspellable file and a
    // k beyond the list (a selection mark of -1 included).
    const std::string& Path(int slot) const;
    // The item's text: the file title, "(なし)" for the empty path.
    std::string Title(int slot) const;

private:
    struct Entry {
        std::string path;
        std::string title;
        bool unspellable = false;
    };
    bool Insert(Entry entry);
    std::vector<Entry> entries_;
    bool noneSlot_ = false;
};
