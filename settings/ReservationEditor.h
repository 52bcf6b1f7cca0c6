#pragma once
// The reservation editor of the main dialog: the display method (1010), the
// colour (1011 and its swatch 1012), the three kinds of condition (1015 to
// 1035) and the buttons that act on them (1002, 1004 to 1006, 1008, 1009). It
// holds what it works on (its mode, the current reservation, the picture, the
// method and the colour) and derives every enable state from its mode. The
// dialog tells it what the user did (EditorEvent) and hands it the record, the
// standard wallpaper or the browser's pick that the step asks for.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/EditorModes.h"
#include "core/EditorRules.h"
#include "core/ReservationRecord.h"
#include "winui/Dialog.h"

class PreviewPane;

// What an editor's step may ask of the dialog.
struct EditorInputs {
    int pickedRow = -1;                           // the reservation list's pick
    const ReservationRecord* record = nullptr;    // its record, null for none
    const StandardWallpaper* standard = nullptr;
    // The browser's pick, taken only when the step asks for it; none when
    // nothing is picked there, or a file that cannot be opened ("" is "(なし)",
    // the pick of no wallpaper).
    std::function<std::optional<std::string>()> browserPick;
};

class ReservationEditor {
public:
    ReservationEditor(winui::Dialog& dialog, PreviewPane& preview) : dialog_(dialog), preview_(preview) {}

    // Once the dialog exists: the lists filled, the colour of the desktop, the
    // kinds cleared.
    void Attach();

    EditorMode Mode() const { return mode_; }
    int CurrentIndex() const { return currentIndex_; }
    void SetCurrentIndex(int index) { currentIndex_ = index; }
    const std::string& CurrentPath() const { return currentPath_; }
    int32_t CurrentMethod() const { return currentMethod_; }
    COLORREF CurrentColour() const { return currentColour_; }

    // Takes the event's step: the mode, the record or the standard shown, the
    // conditions reset, the browser's pick taken, as the step says, in that
    // order; then the enable states. rows: as EditorStepFor takes them.
    void On(EditorEvent event, int rows = 0, const EditorInputs& inputs = {});

    // The user's own picks: a method in the list, a colour from the colour
    // dialog, a method from the full-screen preview.
    void OnMethodPicked();
    void OnColourChosen(COLORREF colour);
    void SetMethod(int32_t method);

    // What the kind controls hold, read once.
    EditorValues Values() const;
    // Every enable state, from the mode and the kind boxes (after a kind box
    // was clicked, and whenever the browser's selection may have changed).
    void UpdateControls();

private:
    void ShowRecord(const ReservationRecord& record);
    void ResetConditions();
    void SelectEntry(int id, int32_t index);
    // The picture shown again: decoded when it changed, the swatch repainted.
    void Redraw();

    winui::Dialog& dialog_;
    PreviewPane& preview_;
    EditorMode mode_ = EditorMode::Disabled;
    int currentIndex_ = -1;
    std::string currentPath_;
    bool picturePicked_ = false;  // currentPath_ is a picture the user picked, "" being none
    int32_t currentMethod_ = 0;
    COLORREF currentColour_ = 0;
};
