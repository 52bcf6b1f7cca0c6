// The reservation editor's edits: register, change, delete, move, set as
// standard and the colour. Every accepted edit raises the change flag, so that
// the resident changer reloads the table once this program has ended.

#include "SettingsDialog.h"

#include <commdlg.h>

#include <utility>

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

int32_t SettingsDialog::Picked(int id, int32_t stored) const {
    // A list that shows no entry (a stored value beyond its entries) keeps the
    // stored value: no -1 reaches a record.
    const int selected = winui::ComboBox(*this, id).Selection();
    return selected >= 0 ? selected : stored;
}

void SettingsDialog::FillRecordFromEditor(int i) {
    SettingsRecord& slot = table_->slots[static_cast<size_t>(i)];
    ReservationRecord& r = slot.record;
    r.displayMethod = currentMethod_;
    r.colour = static_cast<int32_t>(currentColour_);
    r.dateOn = IsChecked(IDC_DATE_ON) ? 1 : 0;
    r.fromMonth = Picked(IDC_FROM_MONTH, r.fromMonth);
    r.fromDay = Picked(IDC_FROM_DAY, r.fromDay);
    r.toMonth = Picked(IDC_TO_MONTH, r.toMonth);
    r.toDay = Picked(IDC_TO_DAY, r.toDay);
    r.timeOn = IsChecked(IDC_TIME_ON) ? 1 : 0;
    r.fromHour = Picked(IDC_FROM_HOUR, r.fromHour);
    r.fromMinute = Picked(IDC_FROM_MINUTE, r.fromMinute);
    r.toHour = Picked(IDC_TO_HOUR, r.toHour);
    r.toMinute = Picked(IDC_TO_MINUTE, r.toMinute);
    r.timerOn = IsChecked(IDC_TIMER_ON) ? 1 : 0;
    r.timerHours = Picked(IDC_TIMER_HOURS, r.timerHours);
    r.timerMinuteIndex = Picked(IDC_TIMER_MINUTES, r.timerMinuteIndex);
    if (r.timerOn != 0) r.timerPeriodMs = TimerPeriodMs(r.timerHours, r.timerMinuteIndex);
    slot.conditionText = BuildConditionText(r);
}

bool SettingsDialog::EditAccepted(bool change) {
    EditorState state;
    state.operation = change ? EditOperation::Change : EditOperation::Register;
    state.severalRows = winui::ListView(*this, change ? IDC_RESERVATION_LIST : IDC_WALLPAPER_LIST).SelectedRows().size() > 1;
    state.dateOn = IsChecked(IDC_DATE_ON);
    state.timeOn = IsChecked(IDC_TIME_ON);
    state.timerOn = IsChecked(IDC_TIMER_ON);
    const auto index = [this](int id) { return winui::ComboBox(*this, id).Selection(); };
    state.date = {index(IDC_FROM_MONTH), index(IDC_FROM_DAY), index(IDC_TO_MONTH), index(IDC_TO_DAY)};
    state.time = {index(IDC_FROM_HOUR), index(IDC_FROM_MINUTE), index(IDC_TO_HOUR), index(IDC_TO_MINUTE)};
    state.currentIndex = currentIndex_;
    const EditWarning warning = ValidateEdit(state, *table_);
    if (warning == kNoWarning) return true;
    ShowWarning(warning);
    return false;
}

void SettingsDialog::Register() {
    if (!EditAccepted(false)) return;
    winui::ListView wallpapers(*this, IDC_WALLPAPER_LIST);
    const std::vector<int> picked = wallpapers.SelectedRows();
    // The table holds 1024 reservations: a registration that would not fit is
    // refused whole, before anything changes.
    if (table_->count + static_cast<int>(picked.size()) > SettingsTable::kMaxReservations) {
        ShowMessage(nullptr, "これ以上登録できません。\nどれか削除してから登録し直してください。", MessageKind::Warning);
        return;
    }
    winui::ListView reservations(*this, IDC_RESERVATION_LIST);
    Deselect(reservations);
    currentIndex_ = table_->count;
    for (int row : picked) {
        const int n = table_->count;
        table_->slots[static_cast<size_t>(n)] = SettingsRecord{};
        table_->slots[static_cast<size_t>(n)].record.fileName = entries_.Path(row);
        FillRecordFromEditor(n);
        table_->count = n + 1;
        InsertReservationRow(n);
    }
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
        if (!EditAccepted(true)) return;
        for (int row : winui::ListView(*this, IDC_RESERVATION_LIST).SelectedRows()) {
            if (row >= table_->count) continue;
            FillRecordFromEditor(row);
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
    const int other = currentIndex_ + step;
    if (currentIndex_ < 0 || currentIndex_ >= table_->count || other < 0 || other >= table_->count) return;
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    list.DeleteItem(currentIndex_);
    std::swap(table_->slots[static_cast<size_t>(currentIndex_)], table_->slots[static_cast<size_t>(other)]);
    currentIndex_ = other;
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
