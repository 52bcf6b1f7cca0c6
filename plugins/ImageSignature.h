#pragma once
// Recognises the formats this plug-in offers from the first bytes of a file.

#include <cstddef>
#include <cstdint>

// True when the head starts like a JPEG, PNG, GIF, TIFF or Windows bitmap.
// size is the number of readable bytes at head (hosts pass at least 2 KB).
bool IsKnownImageHead(const uint8_t* head, size_t size);
