#include "winui/ListView.h"


#include "winui/Dialog.h"
#include "winui/ImageList.h"

namespace winui {

namespace {

// The list-view structures take the text as a mutable pointer even where they only read it.
char* TextArgument(const std::string& text) { return const_cast<char*>(text.c_str()); }

}  // namespace

ListView::ListView(const Dialog& dialog, int id) : hwnd_(dialog.Item(id)) {}

LRESULT ListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return hwnd_ != nullptr ? SendMessageA(hwnd_, message, wParam, lParam) : 0;
}

int ListView::InsertColumn(int column, const std::string& heading, int width) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.pszText = TextArgument(heading);
    col.cx = width;
    col.iSubItem = column;
    return hwnd_ != nullptr ? static_cast<int>(Send(LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&col))) : -1;
}

int ListView::ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, column)); }

int ListView::InsertItem(int row, const std::string& text, int image) {
    LVITEMA item{};
    item.mask = LVIF_TEXT | (image != kNoImage ? LVIF_IMAGE : 0);
    item.iItem = row;
    item.pszText = TextArgument(text);
    item.iImage = image;
    return hwnd_ != nullptr ? static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item))) : -1;
}

bool ListView::SetItemText(int row, int column, const std::string& text) {
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = TextArgument(text);
    return Send(LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool ListView::SetItemImage(int row, int image) {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string ListView::ItemText(int row, int column) const {
    // The message tells only how much it copied: a full buffer may have cut the text.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const auto copied = static_cast<size_t>(Send(LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (copied + 1 < text.size()) {
            text.resize(copied);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

int ListView::ItemImage(int row) const {
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0 ? item.iImage : kNoImage;
}

int ListView::ItemCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

bool ListView::DeleteItem(int row) { return Send(LVM_DELETEITEM, row) != 0; }

void ListView::DeleteAllItems() { Send(LVM_DELETEALLITEMS); }

std::vector<int> ListView::SelectedRows() const {
    std::vector<int> rows;
    if (hwnd_ == nullptr) return rows;
    for (int row = -1; (row = static_cast<int>(Send(LVM_GETNEXTITEM, row, LVNI_SELECTED))) != -1;) rows.push_back(row);
    return rows;
}

int ListView::SelectionMark() const { return hwnd_ != nullptr ? static_cast<int>(Send(LVM_GETSELECTIONMARK)) : -1; }

void ListView::SetSelectionMark(int row) { Send(LVM_SETSELECTIONMARK, 0, row); }

int ListView::FocusedRow() const {
    return hwnd_ != nullptr ? static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)) : -1;
}

bool ListView::SetState(int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

void ListView::SetSelected(int row, bool selected) { SetState(row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED); }

void ListView::SetFocused(int row) { SetState(row, LVIS_FOCUSED, LVIS_FOCUSED); }

void ListView::EnsureVisible(int row) { Send(LVM_ENSUREVISIBLE, row, FALSE); }

void ListView::EditLabel(int row) { Send(LVM_EDITLABELA, row); }

void ListView::SetExtendedStyle(DWORD style) { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style); }

void ListView::SetImageList(const ImageList& images, int which) {
    if (hwnd_ == nullptr) return;
    // Otherwise the list destroys its image lists with itself, and the owner would
    // destroy the same one again.
    const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
    if ((style & LVS_SHAREIMAGELISTS) == 0) SetWindowLongPtrA(hwnd_, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    Send(LVM_SETIMAGELIST, which, reinterpret_cast<LPARAM>(images.Handle()));
}

int ListView::PickedRow() const {
    const std::vector<int> selected = SelectedRows();
    const auto isSelected = [&selected](int row) {
        for (int s : selected) {
            if (s == row) return true;
        }
        return false;
    };
    const int mark = SelectionMark();
    if (isSelected(mark)) return mark;
    const int focused = FocusedRow();
    if (isSelected(focused)) return focused;
    return selected.empty() ? -1 : selected.front();
}

}  // namespace winui
