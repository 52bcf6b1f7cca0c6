#pragma once
// The texts GetPluginInfo hands out: API version, description, and one pair of
// (patterns, format name) per format.

// Copies the text for infono into buf, cut to buflen - 1 bytes (never in the
// middle of a double-byte character) and NUL-terminated. Returns the number of
// text bytes copied, 0 when infono is past the last text or nothing fits.
int CopyPluginInfo(int infono, char* buf, int buflen);
