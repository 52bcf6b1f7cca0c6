#include "PluginInfoText.h"

#include <cstring>

#include "core/Cp932Text.h"

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

}  // namespace

int CopyPluginInfo(int infono, char* buf, int buflen) {
    if (buf == nullptr || buflen <= 0) return 0;
    if (infono < 0 || infono >= kTextCount) {
        buf[0] = '\0';
        return 0;
    }
    const char* text = kTexts[infono];
    const size_t length = Cp932Prefix(text, static_cast<size_t>(buflen) - 1);
    std::memcpy(buf, text, length);
    buf[length] = '\0';
    return static_cast<int>(length);
}
