#pragma once
// The settings editor's modes: what the editor works on, decided by what the
// user did last, and which of its controls each mode turns on. Every handler of
// the main dialog goes through EditorStepFor, so a menu command, a focus change
// and a refill cannot leave the editor in two minds.

enum class EditorMode {
    Disabled,        // nothing to edit: no reservation picked, or set as standard just done
    Registering,     // the browser's pick becomes new reservations
    EditingOne,      // one reservation of the list
    EditingSeveral,  // several reservations: their conditions only
    Standard,        // the standard wallpaper's method and colour
    Changed,         // one reservation just changed, still picked: it moves; its conditions wait for a new pick
};

enum class EditorEvent {
    WallpaperListPicked,     // a click or the focus in the wallpaper list
    WallpaperListStepped,    // a navigation key released in the wallpaper list
    WallpapersAllSelected,   // the menu's select-all of the wallpaper list
    TabChanged,              // another folder's tab chosen
    OptionsClosed,           // the options sheet ended (its folders may differ)
    StandardListPicked,      // a click or the focus in the standard list
    ReservationListPicked,   // a click, the focus or a navigation key in the reservation list
    ReservationsAllSelected, // the menu's select-all of the reservation list
    PictureRetaken,          // the method or the colour picked: the picture is taken again
    Registered,              // an accepted registration
    Changed,                 // an accepted change (of reservations, or of the standard)
    Deleted,                 // rows deleted
    Moved,                   // the current reservation moved up or down
    SetAsStandard,           // the picture made the standard wallpaper
};

// What an event does to the editor.
struct EditorStep {
    EditorMode mode = EditorMode::Disabled;
    bool loadsRecord = false;       // shows the reservation list's picked record
    bool loadsStandard = false;     // shows the standard wallpaper
    bool resetsConditions = false;  // the three kinds unticked, their lists at their first entries
    bool takesPick = false;         // the browser's pick becomes the editor's picture

    bool operator==(const EditorStep& other) const {
        return mode == other.mode && loadsRecord == other.loadsRecord && loadsStandard == other.loadsStandard &&
               resetsConditions == other.resetsConditions && takesPick == other.takesPick;
    }
};

// The step for event in mode. rows: the rows the event leaves selected in the
// reservation list (for a delete, the reservations left); other events ignore it.
EditorStep EditorStepFor(EditorMode mode, EditorEvent event, int rows);

// Which of the editor's controls a mode turns on.
struct EditorControls {
    bool registerButton = false;    // 1004
    bool changeButton = false;      // 1005
    bool deleteButton = false;      // 1006
    bool methodAndColour = false;   // 1010, 1011
    bool moveButtons = false;       // 1008, 1009
    bool kinds = false;             // the three kind boxes; a kind's lists follow its box too
    bool setAsStandard = false;     // 1002
};

// picturePicked: the editor's picture was picked (in the browser, "(なし)"
// included, or from a list), not left empty for want of a pick;
// wallpapersSelected: rows selected in the wallpaper list; anyKindTicked: a
// kind box is ticked. A standard wallpaper is one picked picture without
// conditions.
EditorControls ControlsFor(EditorMode mode, bool picturePicked, int wallpapersSelected, bool anyKindTicked);
