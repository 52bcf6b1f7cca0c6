#include "PluginInfoText.h"

#include <windows.h>

#include <cstring>

namespace {

// Hosts keep at most 8 patterns of 7 characters for a plug-in, so the list
// stays within that: the formats a wallpaper is likely to come in.
const char* const kTexts[] = {
    "00IN",
    "IFWIC.SPI: JPEG/PNG/GIF/TIFF via WIC",
    "*.jpg;*.jpeg;*.jpe", "JPEG",
    "*.png", "PNG",
    "*.gif", "GIF",
    "*.tif;*.tiff", "TIFF",
};

constexpr int kTextCount = static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]));

// Longest prefix of text within limit bytes that does not split a code page
// 932 character.
size_t WholeCharacterPrefix(const char* text, size_t limit) {
    size_t at = 0;
    while (text[at] != '\0') {
        const size_t step = IsDBCSLeadByteEx(932, static_cast<BYTE>(text[at])) && text[at + 1] != '\0' ? 2 : 1;
        if (at + step > limit) break;
        at += step;
    }
    return at;
}

}  // namespace

int CopyPluginInfo(int infono, char* buf, int buflen) {
    if (buf == nullptr || buflen <= 0) return 0;
    if (infono < 0 || infono >= kTextCount) {
        buf[0] = '\0';
        return 0;
    }
    const char* text = kTexts[infono];
    const size_t length = WholeCharacterPrefix(text, static_cast<size_t>(buflen) - 1);
    std::memcpy(buf, text, length);
    buf[length] = '\0';
    return static_cast<int>(length);
}
