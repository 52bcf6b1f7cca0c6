#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

#include "TestDialogIds.h"
#include "winui/Application.h"
#include "winui/PropertySheet.h"

namespace {

// The sheet's Apply button (its id in the system's property sheet).
constexpr int kApplyButton = 0x3021;

// A page that saves its check box into `saved` and counts what reached it.
class TestPage : public winui::PropertyPage {
public:
    explicit TestPage(int resourceId) : PropertyPage(resourceId) {
        BindCommand(IDC_TEST_PAGE_CHECK, [this] {
            SetModified();
            applyEnabledAfterChange = IsWindowEnabled(GetDlgItem(GetParent(Handle()), kApplyButton)) != FALSE;
        });
    }

    int inits = 0, activations = 0, applies = 0, resets = 0;
    bool attachedAtInit = false;
    bool applyEnabledAfterChange = false;
    bool refuseApply = false;
    int saved = -1;
    // Runs at the page's first showing, the sheet's loop running: drives the sheet.
    std::function<void(TestPage&, HWND sheet)> onShown;

protected:
    BOOL OnInitDialog() override {
        ++inits;
        attachedAtInit = GetWindowLongPtrA(Handle(), DWLP_USER) == reinterpret_cast<LONG_PTR>(this);
        if (onShown) onShown(*this, GetParent(Handle()));
        return TRUE;
    }
    bool OnSetActive() override { return ++activations, true; }
    bool OnApply() override {
        ++applies;
        if (refuseApply) return false;
        saved = IsChecked(IDC_TEST_PAGE_CHECK) ? 1 : 0;
        return true;
    }
    void OnReset() override { ++resets; }
};

class PropertySheetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { winui::Application::EnableControls(); }

    INT_PTR Run() {
        winui::PropertySheetDialog sheet("オプション");
        sheet.AddPage(first);
        sheet.AddPage(second);
        sheet.AddPage(third);
        return sheet.DoModal(nullptr);
    }

    TestPage first{IDD_TEST_PAGE_FIRST};
    TestPage second{IDD_TEST_PAGE_SECOND};
    TestPage third{IDD_TEST_PAGE_THIRD};
};

}  // namespace

TEST_F(PropertySheetTest, ApplyAndOkReachOnlyThePagesShown) {
    first.onShown = [](TestPage& page, HWND sheet) {
        PostMessageA(page.Item(IDC_TEST_PAGE_CHECK), BM_CLICK, 0, 0);
        PostMessageA(sheet, PSM_SETCURSEL, 1, 0);
    };
    second.onShown = [](TestPage&, HWND sheet) {
        PostMessageA(sheet, PSM_APPLY, 0, 0);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    };
    EXPECT_GT(Run(), 0);

    EXPECT_TRUE(first.attachedAtInit && first.applyEnabledAfterChange);
    EXPECT_GE(second.activations, 1);
    // Apply, then OK: each shown page saves twice; the page never shown, never.
    EXPECT_EQ(first.applies, 2);
    EXPECT_EQ(second.applies, 2);
    EXPECT_EQ(first.saved, 1);
    EXPECT_EQ(second.saved, 0);
    EXPECT_EQ(third.inits + third.applies, 0);
    EXPECT_EQ(first.resets + second.resets, 0);
    EXPECT_EQ(first.Handle(), nullptr);
}

TEST_F(PropertySheetTest, ARefusalKeepsTheSheetOpenAndCancelSavesNothing) {
    first.refuseApply = true;
    first.onShown = [](TestPage& page, HWND sheet) {
        PostMessageA(page.Item(IDC_TEST_PAGE_CHECK), BM_CLICK, 0, 0);
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        // Reaches the sheet only if the refusal kept it open.
        PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(first.applyEnabledAfterChange);
    EXPECT_EQ(first.applies, 1);
    EXPECT_EQ(first.saved, -1);
    EXPECT_EQ(first.resets, 1);
}
