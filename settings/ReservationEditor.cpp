#include "ReservationEditor.h"

#include <cstdio>

#include "PreviewPane.h"
#include "core/ReservationRowText.h"
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

// Each kind's box and the range of its lists and labels.
struct KindControls {
    int box, first, last;
};
constexpr KindControls kKinds[] = {{IDC_DATE_ON, IDC_FROM_MONTH, IDC_TO_DAY},
                                   {IDC_TIME_ON, IDC_FROM_HOUR, IDC_TO_MINUTE},
                                   {IDC_TIMER_ON, IDC_TIMER_HOURS, IDC_TIMER_MINUTES_LABEL}};

constexpr int kConditionLists[] = {IDC_FROM_MONTH, IDC_FROM_DAY,    IDC_TO_MONTH,    IDC_TO_DAY,
                                   IDC_FROM_HOUR,  IDC_FROM_MINUTE, IDC_TO_HOUR,     IDC_TO_MINUTE,
                                   IDC_TIMER_HOURS, IDC_TIMER_MINUTES};

}  // namespace

void ReservationEditor::Attach() {
    winui::ComboBox method(dialog_, IDC_METHOD);
    for (int item = 0; item < kMethodListCount; ++item) method.AddString(DisplayMethodName(MethodOfListItem(item)));
    for (int id : {IDC_FROM_MONTH, IDC_TO_MONTH}) FillNumbers(winui::ComboBox(dialog_, id), 1, 12);
    for (int id : {IDC_FROM_DAY, IDC_TO_DAY}) FillNumbers(winui::ComboBox(dialog_, id), 1, 31);
    for (int id : {IDC_FROM_HOUR, IDC_TO_HOUR}) FillNumbers(winui::ComboBox(dialog_, id), 0, 23);
    for (int id : {IDC_FROM_MINUTE, IDC_TO_MINUTE}) FillNumbers(winui::ComboBox(dialog_, id), 0, 59);
    FillNumbers(winui::ComboBox(dialog_, IDC_TIMER_HOURS), 0, 11);
    FillNumbers(winui::ComboBox(dialog_, IDC_TIMER_MINUTES), 1, 59);
    SelectEntry(IDC_METHOD, MethodListItem(currentMethod_));
    currentColour_ = GetSysColor(COLOR_BACKGROUND);
    ResetConditions();
    UpdateControls();
}

void ReservationEditor::On(EditorEvent event, int rows, const EditorInputs& inputs) {
    const EditorStep step = EditorStepFor(mode_, event, rows);
    mode_ = step.mode;
    if (step.loadsRecord) {
        currentIndex_ = inputs.pickedRow;
        if (inputs.record != nullptr) ShowRecord(*inputs.record);
    }
    if (step.loadsStandard && inputs.standard != nullptr) {
        currentPath_ = inputs.standard->fileName;
        picturePicked_ = true;
        currentMethod_ = inputs.standard->displayMethod;
        currentColour_ = static_cast<COLORREF>(inputs.standard->colour);
        SelectEntry(IDC_METHOD, MethodListItem(currentMethod_));
        Redraw();
    }
    if (step.resetsConditions) ResetConditions();
    if (step.takesPick && inputs.browserPick) {
        const std::optional<std::string> pick = inputs.browserPick();
        picturePicked_ = pick.has_value();
        currentPath_ = pick.value_or(std::string());
        Redraw();
    }
    UpdateControls();
}

void ReservationEditor::ShowRecord(const ReservationRecord& r) {
    currentPath_ = r.fileName;
    picturePicked_ = true;
    currentMethod_ = r.displayMethod;
    currentColour_ = static_cast<COLORREF>(r.colour);
    // A stored value outside a list's entries (a method the list does not
    // offer, a damaged two-digit field) shows as no selection: nothing of it
    // reaches a lookup here.
    SelectEntry(IDC_METHOD, MethodListItem(currentMethod_));
    Redraw();
    dialog_.SetChecked(IDC_DATE_ON, r.dateOn != 0);
    SelectEntry(IDC_FROM_MONTH, r.fromMonth);
    SelectEntry(IDC_FROM_DAY, r.fromDay);
    SelectEntry(IDC_TO_MONTH, r.toMonth);
    SelectEntry(IDC_TO_DAY, r.toDay);
    dialog_.SetChecked(IDC_TIME_ON, r.timeOn != 0);
    SelectEntry(IDC_FROM_HOUR, r.fromHour);
    SelectEntry(IDC_FROM_MINUTE, r.fromMinute);
    SelectEntry(IDC_TO_HOUR, r.toHour);
    SelectEntry(IDC_TO_MINUTE, r.toMinute);
    dialog_.SetChecked(IDC_TIMER_ON, r.timerOn != 0);
    SelectEntry(IDC_TIMER_HOURS, r.timerHours);
    SelectEntry(IDC_TIMER_MINUTES, r.timerMinuteIndex);
}

void ReservationEditor::OnMethodPicked() {
    const int32_t method = MethodOfListItem(winui::ComboBox(dialog_, IDC_METHOD).Selection());
    if (method >= 0) currentMethod_ = method;
    On(EditorEvent::PictureRetaken);
    Redraw();
}

void ReservationEditor::OnColourChosen(COLORREF colour) {
    currentColour_ = colour;
    On(EditorEvent::PictureRetaken);
    Redraw();
}

void ReservationEditor::SetMethod(int32_t method) {
    currentMethod_ = method;
    SelectEntry(IDC_METHOD, MethodListItem(method));
    InvalidateRect(dialog_.Item(IDC_PREVIEW), nullptr, FALSE);
}

EditorValues ReservationEditor::Values() const {
    const auto index = [this](int id) { return winui::ComboBox(dialog_, id).Selection(); };
    EditorValues values;
    values.dateOn = dialog_.IsChecked(IDC_DATE_ON);
    values.timeOn = dialog_.IsChecked(IDC_TIME_ON);
    values.timerOn = dialog_.IsChecked(IDC_TIMER_ON);
    values.date = {index(IDC_FROM_MONTH), index(IDC_FROM_DAY), index(IDC_TO_MONTH), index(IDC_TO_DAY)};
    values.time = {index(IDC_FROM_HOUR), index(IDC_FROM_MINUTE), index(IDC_TO_HOUR), index(IDC_TO_MINUTE)};
    values.timerHours = index(IDC_TIMER_HOURS);
    values.timerMinuteIndex = index(IDC_TIMER_MINUTES);
    return values;
}

void ReservationEditor::UpdateControls() {
    bool anyKind = false;
    for (const KindControls& kind : kKinds) anyKind = anyKind || dialog_.IsChecked(kind.box);
    const int wallpapers = static_cast<int>(winui::ListView(dialog_, IDC_WALLPAPER_LIST).SelectedRows().size());
    const EditorControls on = ControlsFor(mode_, picturePicked_, wallpapers, anyKind);
    dialog_.EnableItem(IDC_REGISTER, on.registerButton);
    dialog_.EnableItem(IDC_CHANGE, on.changeButton);
    dialog_.EnableItem(IDC_DELETE, on.deleteButton);
    for (int id : {IDC_METHOD, IDC_COLOUR}) dialog_.EnableItem(id, on.methodAndColour);
    for (int id : {IDC_MOVE_UP, IDC_MOVE_DOWN}) dialog_.EnableItem(id, on.moveButtons);
    for (const KindControls& kind : kKinds) {
        const bool checked = dialog_.IsChecked(kind.box);
        dialog_.EnableItem(kind.box, on.kinds);
        for (int id = kind.first; id <= kind.last; ++id) dialog_.EnableItem(id, on.kinds && checked);
    }
    dialog_.EnableItem(IDC_SET_STANDARD, on.setAsStandard);
}

void ReservationEditor::ResetConditions() {
    for (const KindControls& kind : kKinds) dialog_.SetChecked(kind.box, false);
    for (int id : kConditionLists) winui::ComboBox(dialog_, id).Select(0);
}

void ReservationEditor::SelectEntry(int id, int32_t index) {
    // An index beyond the entries clears the selection (the system would keep
    // the old one, and it would then pass for the record's value).
    winui::ComboBox combo(dialog_, id);
    combo.Select(index >= 0 && index < combo.Count() ? index : -1);
}

void ReservationEditor::Redraw() {
    preview_.LoadPicture(currentPath_);
    InvalidateRect(dialog_.Item(IDC_SWATCH), nullptr, FALSE);
}
