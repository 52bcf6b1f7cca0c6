#include "BrowserEntries.h"

#include <algorithm>
#include <utility>

#include "Cp932Text.h"
#include "PathText.h"

void BrowserEntries::Clear(bool noneSlot) {
    noneSlot_ = noneSlot;
    entries_.clear();
    entries_.reserve(kSlots);
    if (noneSlot) entries_.push_back(Entry{});
}

bool BrowserEntries::InsertSortedEntry(const std::string& path) { return InsertSortedEntry(path, GetFileTitle(path)); }

bool BrowserEntries::InsertSortedEntry(const std::string& path, const std::string& title) {
    return Insert(Entry{path, title, false});
}

bool BrowserEntries::InsertUnspellableEntry(const std::string& title) { return Insert(Entry{"", title, true}); }

bool BrowserEntries::Insert(Entry entry) {
    const std::string& title = entry.title;
    const auto first = entries_.begin() + FirstFileSlot();
    const auto at = std::lower_bound(first, entries_.end(), title, [](const Entry& e, const std::string& t) {
        return CompareAsciiNoCase(e.title, t) < 0;
    });
    if (at != entries_.end() && CompareAsciiNoCase(at->title, title) == 0) return false;
    const auto slot = at - entries_.begin();
    if (static_cast<int>(entries_.size()) == kSlots) {
        if (at == entries_.end()) return false;
        entries_.pop_back();
    }
    entries_.insert(entries_.begin() + slot, std::move(entry));
    return true;
}

bool BrowserEntries::IsUnspellable(int slot) const {
    return slot >= 0 && slot < static_cast<int>(entries_.size()) && entries_[static_cast<size_t>(slot)].unspellable;
}

std::vector<std::string> BrowserEntries::PathsOf(const std::vector<int>& slots, bool& skipped) const {
    std::vector<std::string> paths;
    skipped = false;
    for (int slot : slots) {
        if (IsUnspellable(slot)) {
            skipped = true;
        } else {
            paths.push_back(Path(slot));
        }
    }
    return paths;
}

const std::string& BrowserEntries::Path(int slot) const {
    static const std::string kNone;
    return slot >= 0 && slot < static_cast<int>(entries_.size()) ? entries_[static_cast<size_t>(slot)].path : kNone;
}

std::string BrowserEntries::Title(int slot) const {
    if (slot < 0 || slot >= static_cast<int>(entries_.size()) ||
        (entries_[static_cast<size_t>(slot)].path.empty() && !entries_[static_cast<size_t>(slot)].unspellable)) {
        return GetFileTitle("");  // "(なし)"
    }
    return entries_[static_cast<size_t>(slot)].title;
}
