#pragma once
// Loads the real IFWIC.SPI from beside the running program and finds its
// functions by name, as a host does.

#include <windows.h>

#include <string>
#include <vector>

#include "win/PluginAbi.h"

using GetPluginInfoFn = spi::GetPluginInfoProc*;
using IsSupportedFn = spi::IsSupportedProc*;
using GetPictureInfoFn = spi::GetPictureInfoProc*;
using GetPictureFn = spi::GetPictureProc*;

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
// Bytes of no format, the same for the same seed.
std::vector<char> Garbage(size_t size, uint32_t seed);
