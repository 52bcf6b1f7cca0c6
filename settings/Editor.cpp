// The reservation editor's modes: which list it works for, which of its controls
// are on, and the record it shows.

#include <cstdio>

#include "SettingsDialog.h"
#include "resource.h"
#include "winui/Controls.h"
#include "winui/ListView.h"

namespace {

// "01" .. "last" (or from "00"), as the drop-down lists show their numbers.
void FillNumbers(winui::ComboBox combo, int first, int last) {
    char text[8];
    for (int n = first; n <= last; ++n) {
        std::snprintf(text, sizeof text, "%02d", n);
        combo.AddString(text);
    }
}

}  // namespace

void SettingsDialog::FillEditorLists() {
    winui::ComboBox method(*this, IDC_METHOD);
    for (const char* name : {"中央に表示", "並べて表示", "拡大表示"}) method.AddString(name);
    for (int id : {IDC_FROM_MONTH, IDC_TO_MONTH}) FillNumbers(winui::ComboBox(*this, id), 1, 12);
    for (int id : {IDC_FROM_DAY, IDC_TO_DAY}) FillNumbers(winui::ComboBox(*this, id), 1, 31);
    for (int id : {IDC_FROM_HOUR, IDC_TO_HOUR}) FillNumbers(winui::ComboBox(*this, id), 0, 23);
    for (int id : {IDC_FROM_MINUTE, IDC_TO_MINUTE}) FillNumbers(winui::ComboBox(*this, id), 0, 59);
    FillNumbers(winui::ComboBox(*this, IDC_TIMER_HOURS), 0, 11);
    FillNumbers(winui::ComboBox(*this, IDC_TIMER_MINUTES), 1, 59);
}

void SettingsDialog::SelectEntry(int id, int32_t index) {
    // An index beyond the entries clears the selection (the system would keep
    // the old one, and it would then pass for the record's value).
    winui::ComboBox combo(*this, id);
    combo.Select(index >= 0 && index < combo.Count() ? index : -1);
}

void SettingsDialog::UpdateStandardButton() {
    const bool noKind = !IsChecked(IDC_DATE_ON) && !IsChecked(IDC_TIME_ON) && !IsChecked(IDC_TIMER_ON);
    const bool atMostOne = winui::ListView(*this, IDC_WALLPAPER_LIST).SelectedRows().size() <= 1;
    EnableItem(IDC_SET_STANDARD, !reservationMode_ && atMostOne && noKind);
}

void SettingsDialog::UpdateDateControls() {
    UpdateStandardButton();
    for (int id = IDC_FROM_MONTH; id <= IDC_TO_DAY; ++id) EnableItem(id, IsChecked(IDC_DATE_ON));
}

void SettingsDialog::UpdateTimeControls() {
    UpdateStandardButton();
    for (int id = IDC_FROM_HOUR; id <= IDC_TO_MINUTE; ++id) EnableItem(id, IsChecked(IDC_TIME_ON));
}

void SettingsDialog::UpdateTimerControls() {
    UpdateStandardButton();
    for (int id = IDC_TIMER_HOURS; id <= IDC_TIMER_MINUTES_LABEL; ++id) EnableItem(id, IsChecked(IDC_TIMER_ON));
}

void SettingsDialog::ResetEditor() {
    EnableItem(IDC_CHANGE, false);
    EnableItem(IDC_DELETE, false);
    SetChecked(IDC_DATE_ON, false);
    UpdateDateControls();
    for (int id : {IDC_FROM_MONTH, IDC_FROM_DAY, IDC_TO_MONTH, IDC_TO_DAY}) winui::ComboBox(*this, id).Select(0);
    SetChecked(IDC_TIME_ON, false);
    UpdateTimeControls();
    for (int id : {IDC_FROM_HOUR, IDC_FROM_MINUTE, IDC_TO_HOUR, IDC_TO_MINUTE}) winui::ComboBox(*this, id).Select(0);
    SetChecked(IDC_TIMER_ON, false);
    UpdateTimerControls();
    for (int id : {IDC_TIMER_HOURS, IDC_TIMER_MINUTES}) winui::ComboBox(*this, id).Select(0);
}

void SettingsDialog::DisableEditor() {
    for (int id = IDC_DATE_ON; id <= IDC_TIMER_MINUTES_LABEL; ++id) EnableItem(id, false);
    for (int id : {IDC_REGISTER, IDC_CHANGE, IDC_DELETE}) EnableItem(id, false);
}

void SettingsDialog::ShowRecordInEditor(int i) {
    if (i < 0 || i >= table_->count) return;
    const ReservationRecord& r = table_->slots[static_cast<size_t>(i)].record;
    currentPath_ = r.fileName;
    currentMethod_ = r.displayMethod;
    currentColour_ = static_cast<COLORREF>(r.colour);
    // A stored value outside a list's entries (a method 3 or 4, a damaged two-digit
    // field) shows as no selection: nothing of it reaches a lookup here.
    const auto select = [this](int id, int32_t index) { SelectEntry(id, index); };
    select(IDC_METHOD, currentMethod_);
    DrawPreview();
    FillWithBackground(IDC_SWATCH);
    SetChecked(IDC_DATE_ON, r.dateOn != 0);
    UpdateDateControls();
    select(IDC_FROM_MONTH, r.fromMonth);
    select(IDC_FROM_DAY, r.fromDay);
    select(IDC_TO_MONTH, r.toMonth);
    select(IDC_TO_DAY, r.toDay);
    SetChecked(IDC_TIME_ON, r.timeOn != 0);
    UpdateTimeControls();
    select(IDC_FROM_HOUR, r.fromHour);
    select(IDC_FROM_MINUTE, r.fromMinute);
    select(IDC_TO_HOUR, r.toHour);
    select(IDC_TO_MINUTE, r.toMinute);
    SetChecked(IDC_TIMER_ON, r.timerOn != 0);
    UpdateTimerControls();
    select(IDC_TIMER_HOURS, r.timerHours);
    select(IDC_TIMER_MINUTES, r.timerMinuteIndex);
}

void SettingsDialog::OnStandardListActivated() {
    activeList_ = kStandardList;
    DisableEditor();
    EnableItem(IDC_SET_STANDARD, false);
    for (int id : {IDC_CHANGE, IDC_COLOUR, IDC_METHOD}) EnableItem(id, true);
    EnableItem(IDC_MOVE_UP, false);
    EnableItem(IDC_MOVE_DOWN, false);
    currentPath_ = table_->standard.fileName;
    currentColour_ = static_cast<COLORREF>(table_->standard.colour);
    currentMethod_ = table_->standard.displayMethod;
    SelectEntry(IDC_METHOD, currentMethod_);
    FillWithBackground(IDC_SWATCH);
    DrawPreview();
}

int SettingsDialog::CurrentReservationRow() const {
    // The selection mark, when it names a selected row; after a Ctrl+click that
    // deselected it, the focused selected row, else the first selected one.
    winui::ListView list(*this, IDC_RESERVATION_LIST);
    const std::vector<int> selected = list.SelectedRows();
    const auto isSelected = [&selected](int row) {
        for (int s : selected) {
            if (s == row) return true;
        }
        return false;
    };
    const int mark = list.SelectionMark();
    if (isSelected(mark)) return mark;
    const int focused = list.FocusedRow();
    if (isSelected(focused)) return focused;
    return selected.empty() ? -1 : selected.front();
}

void SettingsDialog::OnReservationListActivated() {
    activeList_ = kReservationList;
    reservationMode_ = true;
    const size_t n = winui::ListView(*this, IDC_RESERVATION_LIST).SelectedRows().size();
    if (n == 0) {
        DisableEditor();
    } else {
        EnableItem(IDC_REGISTER, false);
        EnableItem(IDC_CHANGE, true);
        EnableItem(IDC_DELETE, true);
        EnableItem(IDC_DATE_ON, true);
        UpdateDateControls();
        EnableItem(IDC_TIME_ON, true);
        UpdateTimeControls();
        EnableItem(IDC_TIMER_ON, true);
        UpdateTimerControls();
    }
    for (int id : {IDC_COLOUR, IDC_METHOD, IDC_MOVE_UP, IDC_MOVE_DOWN}) EnableItem(id, n == 1);
    currentIndex_ = CurrentReservationRow();
    ShowRecordInEditor(currentIndex_);
}

void SettingsDialog::OnMethodChanged() {
    const int selected = winui::ComboBox(*this, IDC_METHOD).Selection();
    if (selected >= 0) currentMethod_ = selected;
    SetCurrentImage(currentPath_);
}
