#pragma once
// The tab control and the combo box of a dialog, reached by their ids. Views
// over the controls, made where needed; they own nothing. Selecting from the
// program sends no change notification (TCN_SELCHANGE, CBN_SELCHANGE), as with
// the system's own messages.

#include <windows.h>

#include <string>

namespace winui {

class Dialog;

class TabControl {
public:
    TabControl(const Dialog& dialog, int id);
    // The tab's index, or -1.
    int InsertItem(int index, const std::string& text);
    void DeleteAllItems();
    int Count() const;
    // -1 when none.
    int Selection() const;
    void Select(int index);

private:
    HWND hwnd_;
};

class ComboBox {
public:
    ComboBox(const Dialog& dialog, int id);
    // The string's index, or -1.
    int AddString(const std::string& text);
    int Count() const;
    // -1 when none.
    int Selection() const;
    // -1 clears the selection.
    void Select(int index);

private:
    HWND hwnd_;
};

}  // namespace winui
