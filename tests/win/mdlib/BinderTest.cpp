// The binder as a program meets it: no MD.dll beside the program, a library that
// lacks one of the nine names, and the real one. This program runs from a folder
// without MD.dll and points the loader at the case under test.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/MessageBox.h"
#include "core/PathText.h"
#include "win/ProgramFolder.h"
#include "win/SharedStateBinder.h"

namespace {

std::string Parent(const std::string& path) { return FolderOfPath(path); }

class Binder : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageRecorder([this](HWND owner, const std::string& text, MessageKind kind, UINT) {
            messages.push_back(text);
            EXPECT_EQ(owner, nullptr);
            EXPECT_EQ(kind, MessageKind::Warning);
            return IDOK;
        });
    }
    void TearDown() override {
        SharedStateBinder().Unload();
        SetDllDirectoryA(nullptr);
        SetMessageRecorder(nullptr);
    }
    std::vector<std::string> messages;
};

TEST_F(Binder, AMissingLibraryIsReportedAndTheForwardersAnswerZero) {
    SetDllDirectoryA("");  // also takes the current folder out of the search
    SharedStateBinder md;
    EXPECT_FALSE(md.Load());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "MD.dll \x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42");
    EXPECT_FALSE(SharedStateBinder::Bound());
    EXPECT_EQ(md.GetMDKFlag(), 0);
    EXPECT_EQ(md.SetItem(5), 0);
    EXPECT_EQ(md.GetItem(), 0);
}

TEST_F(Binder, ALibraryLackingANameIsRefusedWholeAndFreed) {
    SetDllDirectoryA((ProgramFolder() + "\\partial").c_str());
    SharedStateBinder md;
    EXPECT_FALSE(md.Load());
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_FALSE(SharedStateBinder::Bound());
    EXPECT_EQ(GetModuleHandleA("MD.dll"), nullptr);
    EXPECT_EQ(md.GetExitFlag(), 0);
}

TEST_F(Binder, TheRealLibraryIsBoundForEveryInstanceUntilUnloaded) {
    SetDllDirectoryA(Parent(ProgramFolder()).c_str());
    ASSERT_TRUE(SharedStateBinder().Load());
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(SharedStateBinder::Bound());
    const SharedStateBinder other;  // a temporary elsewhere forwards as well
    other.SetItem(12);
    EXPECT_EQ(SharedStateBinder().GetItem(), 12);
    other.SetItem(-1);
    SharedStateBinder().Unload();
    EXPECT_FALSE(SharedStateBinder::Bound());
    EXPECT_EQ(other.GetItem(), 0);
    EXPECT_EQ(GetModuleHandleA("MD.dll"), nullptr);
}

}  // namespace
