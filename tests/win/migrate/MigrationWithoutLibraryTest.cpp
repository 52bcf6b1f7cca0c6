// Runs from a folder without MD.dll: the tool must say so, read nothing, and
// on OK close without writing or deleting anything.

#include <gtest/gtest.h>

#include "MigrationTestSupport.h"
#include "support/ProfileRoot.h"

using namespace migrate_test;

TEST_F(MigrationTest, WithoutTheLibraryNothingIsReadAndOkOnlyCloses) {
    PutOld(2, {{"00", "C:\\std.bmp"}, {"10", "C:\\a.bmp"}});

    RegistryStore store(HKEY_CURRENT_USER, kProfileRoot);
    SettingsProfile profile(store);
    MigrationDialog dialog(profile);
    winui::Dialog::SetInitHook([&](winui::Dialog& d) {
        PostMessageA(d.Item(IDC_DELETE_OLD), BM_CLICK, 0, 0);
        PostMessageA(d.Item(IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "MD.dll が見つかりません。");
    EXPECT_EQ(messages[0].kind, MessageKind::Warning);
    EXPECT_FALSE(dialog.LibraryLoaded());
    EXPECT_EQ(dialog.Old().entry, -1);
    EXPECT_TRUE(dialog.Old().pairs.empty());
    EXPECT_FALSE(KeyExists(kNew));
    EXPECT_EQ(GetInt(kOld + "\\Reserve", "Entry"), 2);
    EXPECT_TRUE(KeyExists(kOld + "\\Reserve\\BmpName"));
    EXPECT_TRUE(KeyExists(kOld + "\\Settings"));
}
