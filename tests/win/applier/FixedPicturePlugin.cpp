// An import plug-in for the applier's tests: it accepts files that begin with
// "MIRADOTEST " and returns a fixed picture chosen by the word that follows:
//   8      4x2, 8 bits, 256 colours (entry i = i, 255 - i, 7), pixels 1..8
//   v5     the same pixels after a 124-byte header, 16 colours (biClrUsed)
//   z24    3x2, 24 bits, biSizeImage 0, pixel bytes 0..23
//   short  8 bits claiming 256 colours and 4096 pixel bytes in blocks of 16
//          colours and 8 bytes
//   rows   3x4 top-down, 24 bits, biSizeImage 0, in a pixel block of 30 bytes:
//          two rows and a half
//   fail   no picture, result 2
// Built twice: with dllexport and --kill-at for the applier's tests, and as
// third parties build theirs, plain stdcall functions named by a .def file
// (PLUGIN_EXPORTS_BY_DEF), for the resident changer's end-to-end test.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "win/PluginExports.h"

#ifdef PLUGIN_EXPORTS_BY_DEF
#define PLUGIN_EXPORT
#else
#define PLUGIN_EXPORT __declspec(dllexport)
#endif

namespace {

constexpr char kMagic[] = "MIRADOTEST ";

HLOCAL Block(size_t bytes) { return LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, bytes); }

bool Picture(const char* variant, HLOCAL* info, HLOCAL* bits) {
    uint32_t headerSize = 40, clrUsed = 0, sizeImage = 8, infoColours = 256, pixelBytes = 8;
    int32_t width = 4, height = 2;
    uint16_t bitCount = 8;
    if (std::strcmp(variant, "v5") == 0) {
        headerSize = 124;
        clrUsed = infoColours = 16;
    } else if (std::strcmp(variant, "z24") == 0) {
        width = 3;
        bitCount = 24;
        infoColours = 0;
        sizeImage = 0;
        pixelBytes = 24;
    } else if (std::strcmp(variant, "rows") == 0) {
        width = 3;
        height = -4;
        bitCount = 24;
        infoColours = 0;
        sizeImage = 0;
        pixelBytes = 30;
    } else if (std::strcmp(variant, "short") == 0) {
        infoColours = 16;
        sizeImage = 4096;
    } else if (std::strcmp(variant, "8") != 0) {
        return false;
    }
    *info = Block(headerSize + 4 * infoColours);
    *bits = Block(pixelBytes);
    auto* header = static_cast<uint8_t*>(LocalLock(*info));
    auto* pixels = static_cast<uint8_t*>(LocalLock(*bits));
    BITMAPINFOHEADER h{};
    h.biSize = headerSize;
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = bitCount;
    h.biSizeImage = sizeImage;
    h.biClrUsed = clrUsed;
    std::memcpy(header, &h, sizeof h);
    for (uint32_t i = 0; i < infoColours; ++i) {
        uint8_t* entry = header + headerSize + 4 * i;
        entry[0] = static_cast<uint8_t>(i);
        entry[1] = static_cast<uint8_t>(255 - i);
        entry[2] = 7;
    }
    for (uint32_t i = 0; i < pixelBytes; ++i) pixels[i] = static_cast<uint8_t>(bitCount == 8 ? i + 1 : i);
    LocalUnlock(*info);
    LocalUnlock(*bits);
    return true;
}

}  // namespace

extern "C" {

PLUGIN_EXPORT int __stdcall GetPluginInfo(int infoNumber, LPSTR buffer, int length) {
    const char* text = nullptr;
    switch (infoNumber) {
        case 0: text = "00IN"; break;
        case 1: text = "applier test plug-in"; break;
        case 2: text = "*.jpg;*.tst"; break;
        case 3: text = "test pictures"; break;
        default: return 0;
    }
    if (buffer == nullptr || length <= 0) return 0;
    std::snprintf(buffer, static_cast<size_t>(length), "%s", text);
    return static_cast<int>(std::strlen(buffer));
}

PLUGIN_EXPORT int __stdcall IsSupported(LPCSTR, DWORD_PTR head) {
    return std::memcmp(reinterpret_cast<const char*>(head), kMagic, sizeof kMagic - 1) == 0;
}

PLUGIN_EXPORT int __stdcall GetPicture(LPCSTR path, LONG_PTR, unsigned int, HLOCAL* info, HLOCAL* bits,
                                               spi::ProgressCallback, LONG_PTR) {
    char head[64] = {};
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 6;
    const size_t got = std::fread(head, 1, sizeof head - 1, file);
    std::fclose(file);
    head[got] = '\0';
    if (std::strncmp(head, kMagic, sizeof kMagic - 1) != 0) return 2;
    char* variant = head + sizeof kMagic - 1;
    variant[std::strcspn(variant, "\r\n ")] = '\0';
    return Picture(variant, info, bits) ? 0 : 2;
}

}  // extern "C"
