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

void SettingsDialog::SetEditorMode(EditorMode mode) {
    mode_ = mode;
    ApplyEditorMode();
}

// Every enable state of the editor, from its mode and its three kind boxes.
void SettingsDialog::ApplyEditorMode() {
    const bool registering = mode_ == EditorMode::Registering;
    const bool one = mode_ == EditorMode::EditingOne;
    const bool editing = one || mode_ == EditorMode::EditingSeveral;
    const bool standard = mode_ == EditorMode::Standard;
    EnableItem(IDC_REGISTER, registering);
    EnableItem(IDC_CHANGE, editing || standard);
    EnableItem(IDC_DELETE, editing);
    // Several reservations changed together keep each one's method and colour.
    for (int id : {IDC_METHOD, IDC_COLOUR}) EnableItem(id, registering || one || standard);
    for (int id : {IDC_MOVE_UP, IDC_MOVE_DOWN}) EnableItem(id, one);

    const bool kinds = registering || editing;
    const struct {
        int box, first, last;
    } kKinds[] = {{IDC_DATE_ON, IDC_FROM_MONTH, IDC_TO_DAY},
                  {IDC_TIME_ON, IDC_FROM_HOUR, IDC_TO_MINUTE},
                  {IDC_TIMER_ON, IDC_TIMER_HOURS, IDC_TIMER_MINUTES_LABEL}};
    bool anyKind = false;
    for (const auto& kind : kKinds) {
        const bool checked = IsChecked(kind.box);
        anyKind = anyKind || checked;
        EnableItem(kind.box, kinds);
        for (int id = kind.first; id <= kind.last; ++id) EnableItem(id, kinds && checked);
    }
    // A standard wallpaper is one picture without conditions.
    const bool onePicture = winui::ListView(*this, IDC_WALLPAPER_LIST).SelectedRows().size() <= 1;
    EnableItem(IDC_SET_STANDARD, registering && onePicture && !anyKind);
}

void SettingsDialog::ResetEditor() {
    for (int box : {IDC_DATE_ON, IDC_TIME_ON, IDC_TIMER_ON}) SetChecked(box, false);
    for (int id : {IDC_FROM_MONTH, IDC_FROM_DAY, IDC_TO_MONTH, IDC_TO_DAY, IDC_FROM_HOUR, IDC_FROM_MINUTE, IDC_TO_HOUR,
                   IDC_TO_MINUTE, IDC_TIMER_HOURS, IDC_TIMER_MINUTES}) {
        winui::ComboBox(*this, id).Select(0);
    }
    ApplyEditorMode();
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
    select(IDC_FROM_MONTH, r.fromMonth);
    select(IDC_FROM_DAY, r.fromDay);
    select(IDC_TO_MONTH, r.toMonth);
    select(IDC_TO_DAY, r.toDay);
    SetChecked(IDC_TIME_ON, r.timeOn != 0);
    select(IDC_FROM_HOUR, r.fromHour);
    select(IDC_FROM_MINUTE, r.fromMinute);
    select(IDC_TO_HOUR, r.toHour);
    select(IDC_TO_MINUTE, r.toMinute);
    SetChecked(IDC_TIMER_ON, r.timerOn != 0);
    select(IDC_TIMER_HOURS, r.timerHours);
    select(IDC_TIMER_MINUTES, r.timerMinuteIndex);
    ApplyEditorMode();
}

void SettingsDialog::OnStandardListActivated() {
    SetEditorMode(EditorMode::Standard);
    currentPath_ = table_->standard.fileName;
    currentColour_ = static_cast<COLORREF>(table_->standard.colour);
    currentMethod_ = table_->standard.displayMethod;
    SelectEntry(IDC_METHOD, currentMethod_);
    FillWithBackground(IDC_SWATCH);
    DrawPreview();
}

void SettingsDialog::OnReservationListActivated() {
    const winui::ListView list(*this, IDC_RESERVATION_LIST);
    const size_t n = list.SelectedRows().size();
    SetEditorMode(n == 0 ? EditorMode::Disabled : n == 1 ? EditorMode::EditingOne : EditorMode::EditingSeveral);
    currentIndex_ = list.PickedRow();
    ShowRecordInEditor(currentIndex_);
}

void SettingsDialog::OnMethodChanged() {
    const int selected = winui::ComboBox(*this, IDC_METHOD).Selection();
    if (selected >= 0) currentMethod_ = selected;
    SetCurrentImage(currentPath_);
}
