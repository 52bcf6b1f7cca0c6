// The reservation editor's edits: register, change, delete, move, set as
// standard and the colour. Every accepted edit raises the change flag, so that
// the resident changer reloads the table once this program has ended.

#include "SettingsDialog.h"
#include "Warnings.h"

#include <commdlg.h>

#include "core/EditorRules.h"
#include "core/ReservationRowText.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "winui/Controls.h"
#include "winui/ListView.h"

namespace {

void Deselect(winui::ListView& list) {
    for (int row : list.SelectedRows()) list.SetSelected(row, false);
}

}  // namespace

bool SettingsDialog::EditAccepted(const EditorValues& values, bool change) {
    EditorState state;
    static_cast<EditorValues&>(state) = values;
    state.operation = change ? EditOperation::Change : EditOperation::Register;
    state.severalRows = winui::ListView(*this, change ? IDC_RESERVATION_LIST : IDC_WALLPAPER_LIST).SelectedRows().size() > 1;
    state.currentIndex = editor_.CurrentIndex();
    const SettingsWarning warning = ValidateEdit(state, *table_);
    if (warning == kNoWarning) return true;
    ShowWarning(warning);
    return false;
}

void SettingsDialog::Register() {
    const EditorValues values = editor_.Values();
    if (!EditAccepted(values, false)) return;
    // Files whose names cannot be opened are left out, and the user told once.
    bool skipped = false;
    const std::vector<std::string> paths =
        browser_.PathsAt(winui::ListView(*this, IDC_WALLPAPER_LIST).SelectedRows(), skipped);
    if (skipped) ShowWarning(kWarningUnspellableName);
    if (skipped && paths.empty()) return;
    SettingsRecord prototype;
    FillRecordFromEditor(values, editor_.CurrentMethod(), static_cast<int32_t>(editor_.CurrentColour()), prototype);
    const int first = table_->count;
    // The table holds 1024 reservations: a registration that would not fit is
    // refused whole, before anything changes.
    if (!AppendRecords(*table_, paths, prototype)) {
        ShowWarning(kWarningTableFull);
        return;
    }
    winui::ListView reservations(*this, IDC_RESERVATION_LIST);
    Deselect(reservations);
    editor_.SetCurrentIndex(first);
    for (int n = first; n < table_->count; ++n) InsertReservationRow(n);
    if (first < table_->count) {
        reservations.SetSelectionMark(first);
        reservations.SetSelected(first, true);
        reservations.SetFocused(first);
        reservations.EnsureVisible(first);
    }
    FocusItem(IDC_WALLPAPER_LIST);
    Tell(EditorEvent::Registered);
    MarkChanged();
    DisplayCount();
}

void SettingsDialog::Change() {
    const EditorMode mode = editor_.Mode();
    if (mode == EditorMode::EditingOne || mode == EditorMode::EditingSeveral) {
        const EditorValues values = editor_.Values();
        if (!EditAccepted(values, true)) return;
        for (int row : winui::ListView(*this, IDC_RESERVATION_LIST).SelectedRows()) {
            if (row >= table_->count) continue;
            FillRecordFromEditor(values, editor_.CurrentMethod(), static_cast<int32_t>(editor_.CurrentColour()),
                                 table_->slots[static_cast<size_t>(row)]);
            UpdateReservationRow(row);
        }
        FocusItem(IDC_RESERVATION_LIST);
    } else if (mode == EditorMode::Standard) {
        table_->standard.displayMethod = editor_.CurrentMethod();
        table_->standard.colour = static_cast<int32_t>(editor_.CurrentColour());
        winui::ListView standard(*this, IDC_STANDARD_LIST);
        standard.DeleteItem(0);
        InsertStandardRow();
        standard.SetSelected(0, true);
        standard.SetFocused(0);
        FocusItem(IDC_STANDARD_LIST);
    } else {
        return;
    }
    // The list's focus may have told the editor of a pick already: the change
    // is told last, so its step is the one that stays.
    Tell(EditorEvent::Changed);
    MarkChanged();
}

void SettingsDialog::DeleteSelected() {
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    const std::vector<int> selected = list.SelectedRows();
    if (selected.empty()) return;
    int current = editor_.CurrentIndex();
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        list.DeleteItem(*row);
        RemoveRecord(*table_, *row);
        if (current >= table_->count) current = table_->count - 1;
    }
    editor_.SetCurrentIndex(current);
    if (current >= 0 && current < table_->count) {
        list.SetSelected(current, true);
        list.SetFocused(current);
        list.SetSelectionMark(current);
    }
    FocusItem(table_->count > 0 ? IDC_RESERVATION_LIST : IDC_WALLPAPER_LIST);
    Tell(EditorEvent::Deleted);
    MarkChanged();
    DisplayCount();
}

void SettingsDialog::Move(int step) {
    const int from = editor_.CurrentIndex();
    if (step < 0 && from <= 0) {
        editor_.SetCurrentIndex(0);
        return;
    }
    if (!MoveRecord(*table_, from, step)) return;
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    list.DeleteItem(from);
    const int to = from + step;
    editor_.SetCurrentIndex(to);
    // The other record's row keeps its place and texts, which now describe the
    // record in that slot.
    InsertReservationRow(to);
    list.SetSelected(to, true);
    list.SetFocused(to);
    list.SetSelectionMark(to);
    list.EnsureVisible(to);
    Tell(EditorEvent::Moved);
    MarkChanged();
}

void SettingsDialog::SetAsStandard() {
    // A stored method the list does not offer shows no entry: it stays as it is.
    StandardWallpaper& standard = table_->standard;
    const int32_t colour = static_cast<int32_t>(editor_.CurrentColour());
    if (standard.fileName != editor_.CurrentPath() || standard.displayMethod != editor_.CurrentMethod() ||
        standard.colour != colour) {
        standard.fileName = editor_.CurrentPath();
        standard.displayMethod = editor_.CurrentMethod();
        standard.colour = colour;
        winui::ListView(*this, IDC_STANDARD_LIST).DeleteItem(0);
        InsertStandardRow();
        MarkChanged();
    }
    Tell(EditorEvent::SetAsStandard);
}

void SettingsDialog::ChooseColour() {
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.rgbResult = editor_.CurrentColour();
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (ChooseColorA(&choose)) editor_.OnColourChosen(choose.rgbResult);
}
