#pragma once
// Loads the real IFWIC.SPI from beside the running program and finds its
// functions by name, as a host does.

#include <windows.h>

#include <string>
#include <vector>

#pragma pack(push, 1)
struct SpiPictureInfo {
    LONG left, top, width, height;
    WORD xDensity, yDensity;
    short colorDepth;
    HLOCAL hInfo;
};
#pragma pack(pop)

using SpiProgress = int(__stdcall*)(int num, int denom, LONG_PTR data);
using GetPluginInfoFn = int(__stdcall*)(int infono, LPSTR buf, int buflen);
using IsSupportedFn = int(__stdcall*)(LPCSTR filename, DWORD_PTR dw);
using GetPictureInfoFn = int(__stdcall*)(LPCSTR buf, LONG_PTR len, unsigned int flag, SpiPictureInfo* info);
using GetPictureFn = int(__stdcall*)(LPCSTR buf, LONG_PTR len, unsigned int flag, HLOCAL* info, HLOCAL* bits,
                                     SpiProgress progress, LONG_PTR data);

struct SpiPlugin {
    HMODULE module = nullptr;
    GetPluginInfoFn getPluginInfo = nullptr;
    IsSupportedFn isSupported = nullptr;
    GetPictureInfoFn getPictureInfo = nullptr;
    GetPictureFn getPicture = nullptr;
    GetPictureFn getPreview = nullptr;

    // False when the DLL or one of the functions is missing.
    bool Load();
};

// The folder of the running program, with a trailing backslash.
std::string ProgramFolder();
std::vector<char> ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const void* data, size_t size);
