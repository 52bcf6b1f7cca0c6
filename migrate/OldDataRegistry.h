#pragma once
// Version 1.03's data under HKEY_CURRENT_USER\Software\V-ezaru\Mirado, read and
// deleted with direct registry calls (it lies outside the settings profile).

#include "core/MigrationPlan.h"

// Strings read "" and ints -1 when their key cannot be opened or the value is
// missing or of another type. Reads at most OldData::kMaxPairs pairs.
OldData ReadOldData();

// Single-key deletes, deepest first; a key that cannot be deleted is left.
void DeleteOldKeys();
