#pragma once
// The settings program's warnings by code (SettingsWarning: the editor's, the
// preview's, the full table's), shown with the caption "警告" and the stop icon;
// a picture name the code page cannot spell with "注意" and the exclamation icon.

#include <windows.h>

#include "PreviewPicture.h"
#include "core/EditorRules.h"

// The warning a preview result calls for, kNoWarning for none.
SettingsWarning PreviewWarningFor(PreviewPicture::Result result);

// The warning's text; null for a code the table does not hold.
const char* WarningText(SettingsWarning code);

// The warning's box, owned by owner (none for the editor's and the preview's,
// so that the main dialog stays usable while it is open). A code without a
// text is a fault of the program: it is shown by its number, never dropped.
void ShowWarning(SettingsWarning code, HWND owner = nullptr);
