#pragma once
// The settings program's warnings by code: the editor's (its codes are the
// editor rules'), the preview's, and the full table. Shown with the caption
// "警告" and the stop icon.

#include <windows.h>

#include "PreviewPicture.h"
#include "core/EditorRules.h"

enum PreviewWarning : int {
    kWarningNoPlugin = 16,    // no loaded plug-in reads the format
    kWarningCannotOpen = 17,  // the picture file cannot be opened
};
// A registration past the table's 1024 reservations, or a 16th view folder.
inline constexpr int kWarningTableFull = 100;

// The warning a preview result calls for, kNoWarning for none.
int PreviewWarningFor(PreviewPicture::Result result);

// The warning's box, owned by owner (none for the editor's and the preview's,
// so that the main dialog stays usable while it is open).
void ShowWarning(int code, HWND owner = nullptr);
