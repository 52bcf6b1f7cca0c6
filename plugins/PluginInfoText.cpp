#include "PluginInfoText.h"

#include <cstring>
#include <string>

#include "core/Cp932Text.h"
#ifdef IFWIC_EXTRA_FORMATS
#include "WicDecoders.h"
#endif

namespace {

#ifndef IFWIC_EXTRA_FORMATS
// Hosts keep at most 8 patterns of 7 characters for a plug-in, so the list
// stays within that: the formats a wallpaper is likely to come in. The other
// formats WIC decodes are IFWICX.SPI's.
const char* const kTexts[] = {
    "00IN",
    "IFWIC.SPI: JPEG/PNG/GIF/TIFF via WIC",
    "*.jpg;*.jpeg;*.jpe", "JPEG",
    "*.png", "PNG",
    "*.gif", "GIF",
    "*.tif;*.tiff", "TIFF",
};

constexpr int kTextCount = static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]));

// The text for infono, nullptr past the last.
const char* InfoText(int infono) { return infono < kTextCount ? kTexts[infono] : nullptr; }
#else
const char* InfoText(int infono) {
    const ExtraFormats& extra = InstalledExtraFormats();
    if (infono == 0) return "00IN";
    if (infono == 1) return extra.description.c_str();
    const size_t format = static_cast<size_t>(infono - 2) / 2;
    if (format >= extra.formats.size()) return nullptr;
    return infono % 2 == 0 ? extra.formats[format].patterns.c_str() : extra.formats[format].name.c_str();
}
#endif

}  // namespace

int CopyPluginInfo(int infono, char* buf, int buflen) {
    if (buf == nullptr || buflen <= 0) return 0;
    const char* text = infono < 0 ? nullptr : InfoText(infono);
    if (text == nullptr) {
        buf[0] = '\0';
        return 0;
    }
    const size_t length = Cp932Prefix(text, static_cast<size_t>(buflen) - 1);
    std::memcpy(buf, text, length);
    buf[length] = '\0';
    return static_cast<int>(length);
}
