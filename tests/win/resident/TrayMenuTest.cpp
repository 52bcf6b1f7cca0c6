// The tray menu as the resident changer makes it up for each of its states.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TrayMenu.h"
#include "resource.h"

namespace {

class TrayMenuTest : public ::testing::Test {
protected:
    void Load(const TrayMenuState& state) {
        menu_ = LoadTrayMenu(GetModuleHandleA(nullptr), state, popup_);
        ASSERT_NE(menu_, nullptr);
        ASSERT_NE(popup_, nullptr);
    }
    void TearDown() override {
        if (menu_ != nullptr) DestroyMenu(menu_);
    }

    bool Grey(UINT id) const { return (GetMenuState(popup_, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    bool Checked(UINT id) const { return (GetMenuState(popup_, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    UINT Default() const { return GetMenuDefaultItem(popup_, FALSE, 0); }
    std::string TextAt(int position) const {
        char text[64] = {};
        GetMenuStringA(popup_, position, text, sizeof text, MF_BYPOSITION);
        return text;
    }

    HMENU menu_ = nullptr;
    HMENU popup_ = nullptr;
};

}  // namespace

TEST_F(TrayMenuTest, RunningOffersEverythingWithTheRadioOnStart) {
    Load(TrayMenuState{});
    EXPECT_EQ(GetMenuItemCount(popup_), 9);
    EXPECT_EQ(TextAt(0), "ミラド作動(&P)");
    EXPECT_EQ(TextAt(8), "ミラド終了(&X)");
    EXPECT_TRUE(Checked(ID_START));
    EXPECT_FALSE(Checked(ID_STOP));
    for (UINT id : {ID_START, ID_STOP, ID_NEXT, ID_OPEN_SETTINGS, ID_SHUFFLE, ID_EXIT}) EXPECT_FALSE(Grey(id)) << id;
    EXPECT_EQ(Default(), static_cast<UINT>(ID_OPEN_SETTINGS));
    EXPECT_FALSE(Checked(ID_SHUFFLE));
}

TEST_F(TrayMenuTest, StoppedGreysNextAndMovesTheRadio) {
    TrayMenuState state;
    state.running = false;
    state.shuffle = true;
    Load(state);
    EXPECT_TRUE(Checked(ID_STOP));
    EXPECT_FALSE(Checked(ID_START));
    EXPECT_TRUE(Grey(ID_NEXT));
    EXPECT_FALSE(Grey(ID_START));
    EXPECT_TRUE(Checked(ID_SHUFFLE));
}

TEST_F(TrayMenuTest, WhileTheSettingsProgramIsOpenOnlyShuffleAndExitWork) {
    TrayMenuState state;
    state.settingsOpen = true;
    Load(state);
    for (UINT id : {ID_START, ID_STOP, ID_NEXT, ID_OPEN_SETTINGS}) EXPECT_TRUE(Grey(id)) << id;
    EXPECT_FALSE(Grey(ID_SHUFFLE));
    EXPECT_FALSE(Grey(ID_EXIT));
}

TEST_F(TrayMenuTest, TheLeftClickStopOptionMakesStopTheDefaultWhileRunning) {
    TrayMenuState state;
    state.leftClickStop = true;
    Load(state);
    EXPECT_EQ(Default(), static_cast<UINT>(ID_STOP));
    DestroyMenu(menu_);
    state.running = false;
    Load(state);
    EXPECT_EQ(Default(), static_cast<UINT>(ID_OPEN_SETTINGS));
}

TEST_F(TrayMenuTest, ThePickerGoesInAtPositionFour) {
    TrayMenuState state;
    state.pickerAvailable = true;
    Load(state);
    EXPECT_EQ(GetMenuItemCount(popup_), 10);
    EXPECT_EQ(GetMenuItemID(popup_, 3), static_cast<UINT>(ID_NEXT));
    EXPECT_EQ(GetMenuItemID(popup_, 4), static_cast<UINT>(ID_PICKER));
    EXPECT_EQ(TextAt(4), "壁紙を選んで表示(&L)");
    EXPECT_EQ(GetMenuItemID(popup_, 5), static_cast<UINT>(ID_SHUFFLE));
}
