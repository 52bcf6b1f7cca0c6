#pragma once
// A modal property sheet (OK, Cancel, Apply) over pages made from dialog
// templates; each page's tab shows its template's caption. A page is created
// when it is first shown: its WM_INITDIALOG (the PROPSHEETPAGE it was made from
// in lParam) attaches the object and runs OnInitDialog, which loads the
// controls. OK and Apply reach only the pages shown so far; Cancel reaches none
// (OnReset). The sheet's own loop runs meanwhile.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "winui/Dialog.h"

namespace winui {

class PropertyPage : public Dialog {
public:
    explicit PropertyPage(int resourceId);

protected:
    // Marks the page changed (the sheet enables Apply) or unchanged again.
    void SetModified(bool modified = true);

    // OK or Apply (PSN_APPLY): save. False refuses: the sheet stays open on this page.
    virtual bool OnApply() { return true; }
    // The page is about to be shown (PSN_SETACTIVE); false refuses it.
    virtual bool OnSetActive() { return true; }
    // The page is about to be left, or the sheet confirmed (PSN_KILLACTIVE);
    // false keeps the user on it.
    virtual bool OnKillActive() { return true; }
    // Cancel (PSN_RESET): nothing is to be saved.
    virtual void OnReset() {}

    // The sheet's buttons are its own; Enter and Escape never end a page.
    void OnOK() override {}
    void OnCancel() override {}

private:
    friend class PropertySheetDialog;
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// Named apart from the system's PropertySheet, a macro for PropertySheetA.
class PropertySheetDialog {
public:
    explicit PropertySheetDialog(std::string caption);

    // In tab order. The page must outlive DoModal.
    void AddPage(PropertyPage& page);

    // Shows the sheet on its first page and returns when it closes: positive
    // after OK, 0 after Cancel, -1 when it could not be created.
    INT_PTR DoModal(HWND owner);

private:
    std::string caption_;
    std::vector<PropertyPage*> pages_;
};

}  // namespace winui
