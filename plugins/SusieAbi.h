#pragma once
// The published import plug-in ABI as hosts call it: the picture-information
// record, the result codes and the progress callback.

#include <windows.h>

#include <cstdint>

// Hosts read this record with one-byte packing.
#pragma pack(push, 1)
struct PictureInfo {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
    WORD xDensity;
    WORD yDensity;
    int16_t colorDepth;
    HLOCAL hInfo;
};
#pragma pack(pop)

namespace spi {

enum Result : int {
    kNotImplemented = -1,
    kOk = 0,
    kAborted = 1,
    kUnknownFormat = 2,
    kBrokenData = 3,
    kNoMemory = 4,
    kMemoryError = 5,
    kFileReadError = 6,
    kInternalError = 8,
};

// Returns non-zero to ask the plug-in to stop.
using ProgressCallback = int(__stdcall*)(int num, int denom, LONG_PTR data);

// The low three bits of the flag argument say where the picture comes from.
constexpr unsigned kInputMask = 7;
constexpr unsigned kInputFile = 0;
constexpr unsigned kInputMemory = 1;

}  // namespace spi
