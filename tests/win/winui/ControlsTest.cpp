#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "TestDialogIds.h"
#include "winui/Application.h"
#include "winui/Controls.h"
#include "winui/Dialog.h"
#include "winui/Gdi.h"
#include "winui/ImageList.h"
#include "winui/ListView.h"

namespace {

class ControlsDialog : public winui::Dialog {
public:
    ControlsDialog() : Dialog(IDD_TEST_CONTROLS) {
        BindNotify(IDC_TEST_LIST, NM_SETFOCUS, [this](NMHDR&) { return ++listFocused, LRESULT{0}; });
    }
    int listFocused = 0;
};

class ControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { winui::Application::EnableControls(); }
    void SetUp() override { ASSERT_TRUE(dialog.Create()); }
    ControlsDialog dialog;
};

}  // namespace

TEST_F(ControlsTest, ListViewRowsAndSelection) {
    winui::ListView list(dialog, IDC_TEST_LIST);
    EXPECT_EQ(list.InsertColumn(0, "    壁紙名", 150), 0);
    EXPECT_EQ(list.InsertColumn(1, "予約", 303), 1);
    EXPECT_EQ(list.ColumnWidth(1), 303);
    const char* titles[] = {"c", "a", "d", "b"};
    for (int row = 0; row < 4; ++row) EXPECT_EQ(list.InsertItem(row, titles[row], row % 2), row);
    // Longer than the first read buffer, with double-byte characters.
    const std::string condition = "日付 03/01～05/31 | タイマー 01時間30分" + std::string(600, '0');
    EXPECT_TRUE(list.SetItemText(2, 1, condition));
    EXPECT_EQ(list.ItemText(2, 1), condition);
    EXPECT_EQ(list.ItemImage(1), 1);
    EXPECT_TRUE(list.SetItemImage(1, 0));
    EXPECT_EQ(list.ItemImage(1), 0);

    list.SetSelected(3, true);
    list.SetSelected(1, true);
    list.SetFocused(3);
    list.SetSelectionMark(3);
    EXPECT_EQ(list.SelectedRows(), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.FocusedRow(), 3);
    EXPECT_EQ(list.SelectionMark(), 3);
    list.SetSelected(-1, false);
    EXPECT_TRUE(list.SelectedRows().empty());

    list.DeleteAllItems();
    EXPECT_EQ(list.ItemCount(), 0);
}

TEST_F(ControlsTest, AnImageListIsSharedWithTheListNotHandedOver) {
    winui::ImageList images =
        winui::ImageList::FromBitmap(GetModuleHandleA(nullptr), IDB_TEST_IMAGES, 16, 2, RGB(255, 255, 255));
    EXPECT_EQ(images.Count(), 2);
    EXPECT_EQ(images.AddIcon(LoadIconA(nullptr, MAKEINTRESOURCEA(32516))), 2);  // IDI_INFORMATION
    EXPECT_TRUE(images.Remove(0));
    winui::ListView(dialog, IDC_TEST_LIST).SetImageList(images);
    dialog.Destroy();
    EXPECT_EQ(images.Count(), 2);  // still whole after the list has gone

    winui::ImageList moved = std::move(images);
    EXPECT_EQ(images.Handle(), nullptr);
    moved.Destroy();
    EXPECT_EQ(moved.Count(), 0);
}

TEST_F(ControlsTest, TabsCombosFocusAndEnabling) {
    winui::TabControl tabs(dialog, IDC_TEST_TABS);
    for (const char* title : {"システム", "風景", "海"}) tabs.InsertItem(tabs.Count(), title);
    tabs.Select(2);
    EXPECT_EQ(tabs.Selection(), 2);

    winui::ComboBox methods(dialog, IDC_TEST_COMBO);
    for (const char* name : {"中央に表示", "並べて表示", "拡大表示"}) methods.AddString(name);
    methods.Select(1);
    EXPECT_EQ(methods.Selection(), 1);
    EXPECT_EQ(dialog.ItemText(IDC_TEST_COMBO), "並べて表示");

    ShowWindow(dialog.Handle(), SW_SHOW);
    dialog.FocusItem(IDC_TEST_LIST);
    EXPECT_EQ(GetFocus(), dialog.Item(IDC_TEST_LIST));
    EXPECT_EQ(dialog.listFocused, 1);  // the list's own notification reached its binding
    dialog.EnableItem(IDC_TEST_LIST, false);
    EXPECT_FALSE(dialog.IsItemEnabled(IDC_TEST_LIST));
}

TEST_F(ControlsTest, ASelectedBitmapGoesBackOutOfTheContextBeforeItIsDeleted) {
    HBITMAP raw = nullptr;
    {
        winui::WindowDC preview(dialog, IDC_TEST_PREVIEW);
        winui::MemoryDC memory(preview.Get());
        winui::ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(preview.Get(), 8, 8));
        raw = bitmap.Get();
        const HGDIOBJ original = GetCurrentObject(memory.Get(), OBJ_BITMAP);
        {
            winui::ScopedSelect select(memory.Get(), raw);
            EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), raw);
        }
        EXPECT_EQ(GetCurrentObject(memory.Get(), OBJ_BITMAP), original);
    }
    EXPECT_EQ(GetObjectType(raw), 0u);  // deleted
    EXPECT_EQ(winui::WindowDC(dialog, 4242).Get(), nullptr);  // no such control: not the screen's context
}
