#include <gtest/gtest.h>

#include "core/BrowserEntries.h"

namespace {

// Titles that sort as their numbers do.
std::string Numbered(int n) { return "C:\\pics\\n" + std::to_string(10000 + n) + ".bmp"; }

}  // namespace

TEST(BrowserEntries, SortsByTitleAndTheFirstOfATitleWins) {
    BrowserEntries entries;
    entries.Clear(true);
    const struct {
        const char* path;
        bool stored;
    } found[] = {
        {"C:\\pics\\b.bmp", true}, {"C:\\pics\\sea.bmp", true}, {"C:\\pics\\A.bmp", true},
        {"C:\\pics\\sea.jpg", false}, {"C:\\pics\\a2.png", true}, {"C:\\pics\\SEA.png", false},
        {"C:\\pics\\\x83\x61.jpg", true}, {"C:\\pics\\\x83\x41.jpg", true},  // ヂ and ア: trail bytes never folded
    };
    for (const auto& f : found) EXPECT_EQ(entries.InsertSortedEntry(f.path), f.stored) << f.path;
    const std::vector<std::string> titles = {"(なし)", "A", "a2", "b", "sea", "\x83\x41", "\x83\x61"};
    ASSERT_EQ(entries.Count(), 7);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(entries.Title(k), titles[static_cast<size_t>(k)]);
    EXPECT_EQ(entries.Path(4), "C:\\pics\\sea.bmp");
    EXPECT_EQ(entries.Path(0) + entries.Path(-1) + entries.Path(7), "");

    // A name the programs cannot open: listed by its title, left out of the paths.
    EXPECT_TRUE(entries.InsertUnspellableEntry("cafe"));
    EXPECT_FALSE(entries.InsertUnspellableEntry("Sea"));
    bool skipped = false;
    EXPECT_EQ(entries.PathsOf({0, 4, 5}, skipped), std::vector<std::string>({"", "C:\\pics\\sea.bmp"}));
    EXPECT_TRUE(skipped && entries.Title(4) == "cafe" && !entries.IsUnspellable(8));

    entries.Clear(false);
    EXPECT_EQ(entries.Count(), 1);  // a folder without pictures still shows "(なし)"
    EXPECT_EQ(entries.Path(0), "");
    entries.InsertSortedEntry("C:\\pics\\b.bmp");
    EXPECT_EQ(entries.Count(), 1);
    EXPECT_EQ(entries.Path(entries.FirstFileSlot()), "C:\\pics\\b.bmp");
}

TEST(BrowserEntries, AFullArrayKeepsTheFirstTitlesInOrder) {
    for (const bool noneSlot : {true, false}) {
        BrowserEntries entries;
        entries.Clear(noneSlot);
        const int files = BrowserEntries::kSlots - entries.FirstFileSlot();
        for (int n = files; n >= 1; --n) ASSERT_TRUE(entries.InsertSortedEntry(Numbered(n)));
        EXPECT_FALSE(entries.InsertSortedEntry(Numbered(files + 1)));
        EXPECT_FALSE(entries.InsertSortedEntry(Numbered(5)));
        EXPECT_TRUE(entries.InsertSortedEntry(Numbered(0)));  // pushes the last one out
        EXPECT_FALSE(entries.InsertSortedEntry(Numbered(files)));
        ASSERT_EQ(entries.Count(), BrowserEntries::kSlots);
        EXPECT_EQ(entries.Path(entries.FirstFileSlot()), Numbered(0));
        EXPECT_EQ(entries.Path(BrowserEntries::kSlots - 1), Numbered(files - 1));
        EXPECT_EQ(entries.Path(0).empty(), noneSlot);
    }
}
