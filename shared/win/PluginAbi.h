#pragma once
// The published import plug-in ABI, for both sides of it: the hosts (the
// programs' PluginHost, the tests' loader) and the plug-ins (IFWIC.SPI, the test
// plug-ins). The five functions are stdcall in the 32-bit build, where a
// mismatch with a host shows only as a corrupted stack after the call.

#include <windows.h>

#include <cstddef>
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

// Every plug-in of the base lays it out so: the handle right after the depth,
// 26 bytes in all in the 32-bit build, 30 in the 64-bit one.
static_assert(offsetof(PictureInfo, hInfo) == 22, "PictureInfo: hInfo at 22");
static_assert(sizeof(PictureInfo) == 22 + sizeof(void*), "PictureInfo: 26 or 30 bytes");

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

// The five exports' function types, which hosts look up by these plain names.
using GetPluginInfoProc = int __stdcall(int infoNumber, LPSTR buffer, int length);
using IsSupportedProc = int __stdcall(LPCSTR path, DWORD_PTR head);
using GetPictureInfoProc = int __stdcall(LPCSTR source, LONG_PTR length, unsigned int flag, PictureInfo* info);
using GetPictureProc = int __stdcall(LPCSTR source, LONG_PTR length, unsigned int flag, HLOCAL* info, HLOCAL* bits,
                                     ProgressCallback progress, LONG_PTR data);
using GetPreviewProc = GetPictureProc;

// The low three bits of the flag argument say where the picture comes from.
constexpr unsigned kInputMask = 7;
constexpr unsigned kInputFile = 0;
constexpr unsigned kInputMemory = 1;

}  // namespace spi
