#pragma once
// What the first bytes of an encoded picture say: which format it is, and how
// large a picture its headers declare, read before any decoder sees the data.

#include <cstddef>
#include <cstdint>

// True when the head starts like a JPEG, PNG, GIF, TIFF or Windows bitmap.
// size is the number of readable bytes at head (hosts pass at least 2 KB).
bool IsKnownImageHead(const uint8_t* head, size_t size);

// The largest picture a JPEG, PNG, GIF, TIFF or bitmap header declares (for a
// GIF: its screen or any of its frames). False when the format is none of
// these or its header cannot be found; a declared size may be 0.
bool ReadDeclaredSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height);

// What a JPEG XR file's container says of its coded image: not a JPEG XR
// container at all, one whose directory or image data lie (partly) outside the
// bytes given (a cut or damaged file), or one whose image data are all there.
enum class JxrLayout { NotJxr, Broken, Complete };
JxrLayout CheckJxrLayout(const uint8_t* data, size_t size);
