#include "winui/Controls.h"

#include <commctrl.h>

#include "winui/Dialog.h"

namespace winui {

namespace {

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return hwnd != nullptr ? SendMessageA(hwnd, message, wParam, lParam) : -1;
}

}  // namespace

TabControl::TabControl(const Dialog& dialog, int id) : hwnd_(dialog.Item(id)) {}

int TabControl::InsertItem(int index, const std::string& text) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());  // only read
    return static_cast<int>(Send(hwnd_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item)));
}

void TabControl::DeleteAllItems() { Send(hwnd_, TCM_DELETEALLITEMS); }

int TabControl::Count() const { return hwnd_ != nullptr ? static_cast<int>(Send(hwnd_, TCM_GETITEMCOUNT)) : 0; }

int TabControl::Selection() const { return static_cast<int>(Send(hwnd_, TCM_GETCURSEL)); }

void TabControl::Select(int index) { Send(hwnd_, TCM_SETCURSEL, index); }

ComboBox::ComboBox(const Dialog& dialog, int id) : hwnd_(dialog.Item(id)) {}

int ComboBox::AddString(const std::string& text) {
    const auto index = static_cast<int>(Send(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    return index >= 0 ? index : -1;
}

int ComboBox::Count() const { return hwnd_ != nullptr ? static_cast<int>(Send(hwnd_, CB_GETCOUNT)) : 0; }

int ComboBox::Selection() const { return static_cast<int>(Send(hwnd_, CB_GETCURSEL)); }

void ComboBox::Select(int index) { Send(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index)); }

}  // namespace winui
