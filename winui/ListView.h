#pragma once
// A report-view list control of a dialog, reached by its id: columns, rows with
// texts and an image, selection and focus. It does not sort: a caller that
// orders the rows fills the list again in its order. A view over the control,
// made where needed (ListView(*this, IDC_LIST)); it owns nothing. Rows and
// columns count from 0.

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace winui {

class Dialog;
class ImageList;

class ListView {
public:
    static constexpr int kNoImage = -1;

    ListView(const Dialog& dialog, int id);

    // The column's index, or -1.
    int InsertColumn(int column, const std::string& heading, int width);
    int ColumnWidth(int column) const;

    // The row's index, or -1.
    int InsertItem(int row, const std::string& text, int image = kNoImage);
    bool SetItemText(int row, int column, const std::string& text);
    bool SetItemImage(int row, int image);
    // Whole, however long.
    std::string ItemText(int row, int column) const;
    int ItemImage(int row) const;
    int ItemCount() const;
    bool DeleteItem(int row);
    void DeleteAllItems();

    // In ascending order.
    std::vector<int> SelectedRows() const;
    // -1 when none.
    int SelectionMark() const;
    void SetSelectionMark(int row);
    int FocusedRow() const;
    // The row a pick names: the selection mark when that row is selected (after
    // a Ctrl+click that deselected it, it is not), else the focused selected
    // row, else the first selected one; -1 when none is selected.
    int PickedRow() const;
    // Row -1 is every row.
    void SetSelected(int row, bool selected);
    void SetFocused(int row);
    void EnsureVisible(int row);
    // Starts editing the row's label (the list needs LVS_EDITLABELS).
    void EditLabel(int row);

    // The whole extended style (LVS_EX_...), replacing the previous one.
    void SetExtendedStyle(DWORD style);
    // Gives the list the image list (LVSIL_SMALL, LVSIL_NORMAL, LVSIL_STATE)
    // without handing it over: the list is made to share it.
    void SetImageList(const ImageList& images, int which = LVSIL_SMALL);

private:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    bool SetState(int row, UINT state, UINT mask);

    HWND hwnd_;
};

}  // namespace winui
