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

EditorValues SettingsDialog::ReadEditor() const {
    const auto index = [this](int id) { return winui::ComboBox(*this, id).Selection(); };
    EditorValues values;
    values.dateOn = IsChecked(IDC_DATE_ON);
    values.timeOn = IsChecked(IDC_TIME_ON);
    values.timerOn = IsChecked(IDC_TIMER_ON);
    values.date = {index(IDC_FROM_MONTH), index(IDC_FROM_DAY), index(IDC_TO_MONTH), index(IDC_TO_DAY)};
    values.time = {index(IDC_FROM_HOUR), index(IDC_FROM_MINUTE), index(IDC_TO_HOUR), index(IDC_TO_MINUTE)};
    values.timerHours = index(IDC_TIMER_HOURS);
    values.timerMinuteIndex = index(IDC_TIMER_MINUTES);
    return values;
}

bool SettingsDialog::EditAccepted(const EditorValues& values, bool change) {
    EditorState state;
    static_cast<EditorValues&>(state) = values;
    state.operation = change ? EditOperation::Change : EditOperation::Register;
    state.severalRows = winui::ListView(*this, change ? IDC_RESERVATION_LIST : IDC_WALLPAPER_LIST).SelectedRows().size() > 1;
    state.currentIndex = currentIndex_;
    const EditWarning warning = ValidateEdit(state, *table_);
    if (warning == kNoWarning) return true;
    ShowWarning(warning);
    return false;
}

void SettingsDialog::Register() {
    const EditorValues values = ReadEditor();
    if (!EditAccepted(values, false)) return;
    std::vector<std::string> paths;
    for (int row : winui::ListView(*this, IDC_WALLPAPER_LIST).SelectedRows()) paths.push_back(browser_.PathAt(row));
    SettingsRecord prototype;
    FillRecordFromEditor(values, currentMethod_, static_cast<int32_t>(currentColour_), prototype);
    const int first = table_->count;
    // The table holds 1024 reservations: a registration that would not fit is
    // refused whole, before anything changes.
    if (!AppendRecords(*table_, paths, prototype)) {
        ShowWarning(kWarningTableFull);
        return;
    }
    winui::ListView reservations(*this, IDC_RESERVATION_LIST);
    Deselect(reservations);
    currentIndex_ = first;
    for (int n = first; n < table_->count; ++n) InsertReservationRow(n);
    if (currentIndex_ < table_->count) {
        reservations.SetSelectionMark(currentIndex_);
        reservations.SetSelected(currentIndex_, true);
        reservations.SetFocused(currentIndex_);
        reservations.EnsureVisible(currentIndex_);
    }
    FocusItem(IDC_WALLPAPER_LIST);
    OnWallpaperListActivated();
    MarkChanged();
    DisplayCount();
}

void SettingsDialog::Change() {
    if (mode_ == EditorMode::EditingOne || mode_ == EditorMode::EditingSeveral) {
        const EditorValues values = ReadEditor();
        if (!EditAccepted(values, true)) return;
        for (int row : winui::ListView(*this, IDC_RESERVATION_LIST).SelectedRows()) {
            if (row >= table_->count) continue;
            FillRecordFromEditor(values, currentMethod_, static_cast<int32_t>(currentColour_),
                                 table_->slots[static_cast<size_t>(row)]);
            UpdateReservationRow(row);
        }
        FocusItem(IDC_RESERVATION_LIST);
        OnReservationListActivated();
        ResetEditor();
        SetEditorMode(EditorMode::Disabled);
    } else if (mode_ == EditorMode::Standard) {
        table_->standard.displayMethod = currentMethod_;
        table_->standard.colour = static_cast<int32_t>(currentColour_);
        winui::ListView standard(*this, IDC_STANDARD_LIST);
        standard.DeleteItem(0);
        InsertStandardRow();
        standard.SetSelected(0, true);
        standard.SetFocused(0);
        FocusItem(IDC_STANDARD_LIST);
        OnStandardListActivated();
    } else {
        return;
    }
    MarkChanged();
}

void SettingsDialog::DeleteSelected() {
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    const std::vector<int> selected = list.SelectedRows();
    if (selected.empty()) return;
    for (auto row = selected.rbegin(); row != selected.rend(); ++row) {
        list.DeleteItem(*row);
        RemoveRecord(*table_, *row);
        if (currentIndex_ >= table_->count) currentIndex_ = table_->count - 1;
    }
    if (currentIndex_ >= 0 && currentIndex_ < table_->count) {
        list.SetSelected(currentIndex_, true);
        list.SetFocused(currentIndex_);
        list.SetSelectionMark(currentIndex_);
    }
    if (table_->count > 0) {
        FocusItem(IDC_RESERVATION_LIST);
        OnReservationListActivated();
    } else {
        FocusItem(IDC_WALLPAPER_LIST);
        OnWallpaperListActivated();
    }
    MarkChanged();
    DisplayCount();
}

void SettingsDialog::Move(int step) {
    if (step < 0 && currentIndex_ <= 0) {
        currentIndex_ = 0;
        return;
    }
    if (!MoveRecord(*table_, currentIndex_, step)) return;
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    list.DeleteItem(currentIndex_);
    currentIndex_ += step;
    // The other record's row keeps its place and texts, which now describe the
    // record in that slot.
    InsertReservationRow(currentIndex_);
    list.SetSelected(currentIndex_, true);
    list.SetFocused(currentIndex_);
    list.SetSelectionMark(currentIndex_);
    list.EnsureVisible(currentIndex_);
    MarkChanged();
}

void SettingsDialog::SetAsStandard() {
    // A stored method 3 or 4 shows no entry in the list: it stays as it is.
    const int selected = winui::ComboBox(*this, IDC_METHOD).Selection();
    if (selected >= 0) currentMethod_ = selected;
    StandardWallpaper& standard = table_->standard;
    const bool same = standard.fileName == currentPath_ && standard.displayMethod == currentMethod_ &&
                      standard.colour == static_cast<int32_t>(currentColour_);
    if (!same) {
        standard.fileName = currentPath_;
        standard.displayMethod = currentMethod_;
        standard.colour = static_cast<int32_t>(currentColour_);
        winui::ListView(*this, IDC_STANDARD_LIST).DeleteItem(0);
        InsertStandardRow();
        MarkChanged();
    }
    SetEditorMode(EditorMode::Disabled);
}

void SettingsDialog::ChooseColour() {
    static COLORREF custom[16] = {};
    CHOOSECOLORA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = Handle();
    choose.rgbResult = currentColour_;
    choose.lpCustColors = custom;
    choose.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (!ChooseColorA(&choose)) return;
    currentColour_ = choose.rgbResult;
    FillWithBackground(IDC_SWATCH);
    SetCurrentImage(currentPath_);
}
