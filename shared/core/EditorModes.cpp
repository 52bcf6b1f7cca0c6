#include "EditorModes.h"

namespace {

EditorMode ReservationMode(int rows) {
    return rows <= 0 ? EditorMode::Disabled : rows == 1 ? EditorMode::EditingOne : EditorMode::EditingSeveral;
}

bool EditsReservations(EditorMode mode) {
    return mode == EditorMode::EditingOne || mode == EditorMode::EditingSeveral;
}

}  // namespace

EditorStep EditorStepFor(EditorMode mode, EditorEvent event, int rows) {
    EditorStep step;
    step.mode = mode;
    switch (event) {
    case EditorEvent::WallpaperListPicked:
    case EditorEvent::WallpapersAllSelected:
    case EditorEvent::TabChanged:
    case EditorEvent::Registered:
        // The editor works for the browser again, from a clean slate.
        step.mode = EditorMode::Registering;
        step.resetsConditions = true;
        step.takesPick = true;
        break;
    case EditorEvent::OptionsClosed:
        // The tab shown is refilled; only an editor working for the browser
        // follows what it now shows.
        step.takesPick = mode == EditorMode::Registering;
        break;
    case EditorEvent::StandardListPicked:
        step.mode = EditorMode::Standard;
        step.loadsStandard = true;
        break;
    case EditorEvent::ReservationListPicked:
    case EditorEvent::ReservationsAllSelected:
        step.mode = ReservationMode(rows);
        step.loadsRecord = true;
        break;
    case EditorEvent::WallpaperListStepped:
    case EditorEvent::PictureRetaken:
        // While no reservation and not the standard is edited, the picture
        // shown is the one a registration would take: a key in the browser
        // takes its pick, a method or colour keeps the picture.
        if (mode == EditorMode::Disabled || mode == EditorMode::Changed) step.mode = EditorMode::Registering;
        step.takesPick = event == EditorEvent::WallpaperListStepped && step.mode == EditorMode::Registering;
        break;
    case EditorEvent::Changed:
        if (EditsReservations(mode)) {
            // The changed row stays picked: one row can move at once, and
            // nothing more is changed until the user picks again.
            step.mode = rows == 1 ? EditorMode::Changed : EditorMode::Disabled;
            step.loadsRecord = true;
            step.resetsConditions = true;
        } else if (mode == EditorMode::Standard) {
            step.loadsStandard = true;
        }
        break;
    case EditorEvent::Deleted:
        // The row after the deleted ones is picked; with none left the
        // browser's pick is what can be registered.
        if (rows > 0) {
            step.mode = EditorMode::EditingOne;
            step.loadsRecord = true;
        } else {
            step.mode = EditorMode::Registering;
            step.resetsConditions = true;
            step.takesPick = true;
        }
        break;
    case EditorEvent::Moved:
        break;
    case EditorEvent::SetAsStandard:
        step.mode = EditorMode::Disabled;
        break;
    }
    return step;
}

EditorControls ControlsFor(EditorMode mode, bool picturePicked, int wallpapersSelected, bool anyKindTicked) {
    const bool registering = mode == EditorMode::Registering;
    const bool one = mode == EditorMode::EditingOne;
    const bool editing = one || mode == EditorMode::EditingSeveral;
    const bool standard = mode == EditorMode::Standard;
    const bool changed = mode == EditorMode::Changed;
    EditorControls controls;
    controls.registerButton = registering;
    controls.changeButton = editing || standard;
    controls.deleteButton = editing;
    // Several reservations changed together keep each one's method and colour.
    controls.methodAndColour = registering || one || standard || changed;
    controls.moveButtons = one || changed;
    controls.kinds = registering || editing;
    controls.setAsStandard = registering && picturePicked && wallpapersSelected <= 1 && !anyKindTicked;
    return controls;
}
