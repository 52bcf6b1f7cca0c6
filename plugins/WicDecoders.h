#pragma once
// The decoders the system's imaging component (WIC) has installed, as the
// plug-in that carries the formats beyond the classic ones sees them.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/DecoderPatterns.h"

struct InstalledDecoder {
    DecoderDescription description;
    CLSID clsid = {};
    // JPEG, PNG, GIF and TIFF: formats whose heads our own checks know.
    bool ownHeadCheck = false;
};

// Everything this plug-in advertises, read once per process from WIC.
struct ExtraFormats {
    std::vector<InstalledDecoder> decoders;
    std::vector<PluginFormat> formats;  // decoder indices into `decoders`
    std::string description;
};

const ExtraFormats& InstalledExtraFormats();

// Whether one of the advertised formats' decoders takes the head (size bytes
// at head): our own check where we have one, else the decoder's patterns,
// and for a decoder without a reliable mark also the file's extension.
bool ExtraFormatTakesHead(const char* path, const uint8_t* head, size_t size);
