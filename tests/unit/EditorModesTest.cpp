#include "core/EditorModes.h"

#include <gtest/gtest.h>

namespace {

using M = EditorMode;
using E = EditorEvent;

// The step's effects, spelt by letters: R record loaded, S standard loaded,
// C conditions reset, P the browser's pick taken.
EditorStep Step(M mode, const char* effects = "") {
    EditorStep step;
    step.mode = mode;
    for (const char* c = effects; *c != '\0'; ++c) {
        step.loadsRecord |= *c == 'R';
        step.loadsStandard |= *c == 'S';
        step.resetsConditions |= *c == 'C';
        step.takesPick |= *c == 'P';
    }
    return step;
}

struct Transition {
    const char* name;
    M from;
    E event;
    int rows;
    EditorStep to;
};

const Transition kTransitions[] = {
    {"a click in the browser", M::EditingOne, E::WallpaperListPicked, 1, Step(M::Registering, "CP")},
    {"a tab chosen while editing several", M::EditingSeveral, E::TabChanged, 2, Step(M::Registering, "CP")},
    {"select-all of the browser from the standard", M::Standard, E::WallpapersAllSelected, 0, Step(M::Registering, "CP")},
    {"a key in the browser", M::Registering, E::WallpaperListStepped, 0, Step(M::Registering, "P")},
    {"a key in the browser after a change", M::Changed, E::WallpaperListStepped, 1, Step(M::Registering, "P")},
    {"a key in the browser while editing", M::EditingOne, E::WallpaperListStepped, 1, Step(M::EditingOne)},
    {"the sheet closed while registering", M::Registering, E::OptionsClosed, 0, Step(M::Registering, "P")},
    {"the sheet closed while editing", M::EditingOne, E::OptionsClosed, 1, Step(M::EditingOne)},
    {"the sheet closed on the standard", M::Standard, E::OptionsClosed, 0, Step(M::Standard)},
    {"the standard list", M::Registering, E::StandardListPicked, 0, Step(M::Standard, "S")},
    {"no reservation picked", M::Registering, E::ReservationListPicked, 0, Step(M::Disabled, "R")},
    {"one reservation", M::Standard, E::ReservationListPicked, 1, Step(M::EditingOne, "R")},
    {"several reservations", M::EditingOne, E::ReservationListPicked, 3, Step(M::EditingSeveral, "R")},
    {"select-all of the reservations", M::EditingOne, E::ReservationsAllSelected, 5, Step(M::EditingSeveral, "R")},
    {"a method picked after a change", M::Changed, E::PictureRetaken, 1, Step(M::Registering)},
    {"a method picked after set as standard", M::Disabled, E::PictureRetaken, 0, Step(M::Registering)},
    {"a method picked for a reservation", M::EditingOne, E::PictureRetaken, 1, Step(M::EditingOne)},
    {"a colour chosen for the standard", M::Standard, E::PictureRetaken, 0, Step(M::Standard)},
    {"registered", M::Registering, E::Registered, 1, Step(M::Registering, "CP")},
    {"one row changed", M::EditingOne, E::Changed, 1, Step(M::Changed, "RC")},
    {"several rows changed", M::EditingSeveral, E::Changed, 2, Step(M::Disabled, "RC")},
    {"the standard changed", M::Standard, E::Changed, 0, Step(M::Standard, "S")},
    {"no change while registering", M::Registering, E::Changed, 0, Step(M::Registering)},
    {"deleted, rows left", M::EditingSeveral, E::Deleted, 2, Step(M::EditingOne, "R")},
    {"deleted, none left", M::EditingOne, E::Deleted, 0, Step(M::Registering, "CP")},
    {"moved after a change", M::Changed, E::Moved, 1, Step(M::Changed)},
    {"moved", M::EditingOne, E::Moved, 1, Step(M::EditingOne)},
    {"set as standard", M::Registering, E::SetAsStandard, 0, Step(M::Disabled)},
};

TEST(EditorModesTest, EachEventLeadsWhereTheTableSays) {
    for (const Transition& t : kTransitions) {
        EXPECT_EQ(EditorStepFor(t.from, t.event, t.rows), t.to) << t.name;
    }
}

}  // namespace
