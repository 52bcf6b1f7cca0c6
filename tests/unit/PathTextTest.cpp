#include <gtest/gtest.h>

#include "core/PathText.h"

namespace {

// Code page 932 characters whose second byte is a backslash or a letter byte.
const std::string kHyo = "\x95\x5C";  // 表
const std::string kSo = "\x83\x5C";   // ソ
const std::string kLowerTrail = "\x83\x61";  // a katakana whose trail byte reads as 'a'

}  // namespace

TEST(UpperExtension, TakesTheLastDotAndUpperCases) {
    EXPECT_EQ(GetUpperExtension("C:\\Pics\\sea.view.jpg"), "JPG");
    EXPECT_EQ(GetUpperExtension("C:\\Pics\\Photo.Bmp"), "BMP");
    EXPECT_EQ(GetUpperExtension("C:\\Pics\\noext"), "");
    EXPECT_EQ(GetUpperExtension(""), "");
    EXPECT_EQ(GetUpperExtension("C:\\Pics\\trailing."), "");
    // The whole path's last dot counts, also when it lies in a folder name.
    EXPECT_EQ(GetUpperExtension("C:\\a.b\\file"), "B\\FILE");
}

TEST(UpperExtension, LeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(GetUpperExtension("C:\\" + kHyo + "\\a.jpg"), "JPG");
    // A trail byte in the letter range is not a letter.
    EXPECT_EQ(GetUpperExtension("C:\\x.j" + kLowerTrail + "g"), "J" + kLowerTrail + "G");
    EXPECT_EQ(GetUpperExtension("C:\\x." + kLowerTrail), kLowerTrail);
    // A lead byte cut off at the end stays as it is.
    EXPECT_EQ(GetUpperExtension("C:\\x.a\x83"), "A\x83");
}

TEST(FileTitle, DropsFolderAndLastExtension) {
    EXPECT_EQ(GetFileTitle("C:\\Pics\\sea.view.jpg"), "sea.view");
    EXPECT_EQ(GetFileTitle("D:\\deep\\er\\sea.view.jpg"), "sea.view");
    EXPECT_EQ(GetFileTitle("C:\\Pics\\noext"), "noext");
    EXPECT_EQ(GetFileTitle("C:\\a.b\\file"), "file");
    EXPECT_EQ(GetFileTitle("C:\\Pics\\"), "");
    EXPECT_EQ(GetFileTitle("C:\\Pics\\.hidden"), "");
}

TEST(FileTitle, WithoutBackslashIsNone) {
    EXPECT_EQ(GetFileTitle(""), "(なし)");
    EXPECT_EQ(GetFileTitle("sea.jpg"), "(なし)");
    EXPECT_EQ(GetFileTitle("C:sea.jpg"), "(なし)");
    // 表 and ソ end in the backslash byte, yet they hold no backslash.
    EXPECT_EQ(GetFileTitle(kHyo + ".jpg"), "(なし)");
    EXPECT_EQ(GetFileTitle(kSo), "(なし)");
}

TEST(FileTitle, StepsOverTrailBackslashes) {
    EXPECT_EQ(GetFileTitle("C:\\" + kHyo + "\\a.jpg"), "a");
    EXPECT_EQ(GetFileTitle("C:\\" + kSo), kSo);
    EXPECT_EQ(GetFileTitle("C:\\pics\\" + kHyo + kSo + ".png"), kHyo + kSo);
    EXPECT_EQ(GetFileTitle("C:\\" + kSo + "\\" + kSo + "." + kHyo), kSo);
}

TEST(FolderOfPath, CutsAtTheLastRealBackslash) {
    EXPECT_EQ(FolderOfPath("C:\\Tools\\MDK.EXE"), "C:\\Tools");
    EXPECT_EQ(FolderOfPath("C:\\MDK.EXE"), "C:");
    EXPECT_EQ(FolderOfPath("C:\\" + kSo + "\\MDK.EXE"), "C:\\" + kSo);
    EXPECT_EQ(FolderOfPath("C:\\" + kSo), "C:");
    EXPECT_EQ(FolderOfPath("MDK.EXE"), "");
    EXPECT_EQ(LastBackslash("C:\\" + kHyo), 2u);
    EXPECT_EQ(LastBackslash(kHyo), std::string::npos);
}

TEST(CommandNamesProgram, QuotesAndAsciiCaseAsideOnly) {
    const std::string mdk = "C:\\" + kSo + "\\MDK.EXE";
    EXPECT_TRUE(CommandNamesProgram("\"" + mdk + "\"", mdk) && CommandNamesProgram(" c:\\" + kSo + "\\mdk.exe", mdk));
    // A trail byte is never folded: ヂ (83 61) is not ア (83 41).
    EXPECT_FALSE(CommandNamesProgram("C:\\" + kLowerTrail + "\\MDK.EXE", "C:\\\x83\x41\\MDK.EXE"));
    for (const std::string& other : {"\"C:\\Old\\MDK.EXE\"" + std::string(), "\"" + mdk + "\" /x", "\"" + mdk}) {
        EXPECT_FALSE(CommandNamesProgram(other, mdk)) << other;
    }
}
