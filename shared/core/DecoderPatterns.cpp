#include "DecoderPatterns.h"

#include <algorithm>

#include "Cp932Text.h"
#include "PathText.h"

namespace {

// The order of usefulness for a wallpaper: today's camera and web formats
// first, then Windows' own HDR screenshots, then texture and icon formats.
const char* const kRanked[] = {"webp", "heic", "heif", "avif", "jxl", "jxr", "wdp", "hdp", "dds", "tga", "ico"};
constexpr size_t kRankedCount = sizeof(kRanked) / sizeof(kRanked[0]);

// Names for the formats whose decoders' own names say too little.
const struct {
    const char* extension;
    const char* name;
} kFormatNames[] = {{"webp", "WebP"}, {"heic", "HEIF"}, {"heif", "HEIF"}, {"avif", "AVIF"},
                    {"jxl", "JPEG XL"}, {"jxr", "JPEG XR"}, {"wdp", "JPEG XR"}, {"hdp", "JPEG XR"},
                    {"dds", "DDS"}, {"tga", "TGA"}, {"ico", "ICO"}};

std::string AsciiLower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// The decoder's extensions without their dots, lower case, in its order;
// anything that could not stand in a pattern is left out.
std::vector<std::string> SplitExtensions(const std::string& list) {
    std::vector<std::string> out;
    std::string current;
    auto flush = [&] {
        std::string ext = current;
        current.clear();
        if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
        if (ext.empty()) return;
        for (char c : ext) {
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
            if (!plain) return;
        }
        out.push_back(AsciiLower(ext));
    };
    for (char c : list) {
        if (c == ';' || c == ',' || c == ' ') {
            flush();
        } else {
            current.push_back(c);
        }
    }
    flush();
    return out;
}

size_t Rank(const std::string& extension) {
    for (size_t i = 0; i < kRankedCount; ++i) {
        if (extension == kRanked[i]) return i;
    }
    return kRankedCount;
}

bool IsBitmapDecoder(const std::vector<std::string>& extensions) {
    return std::find(extensions.begin(), extensions.end(), "bmp") != extensions.end();
}

std::string FormatName(const std::string& bestExtension, const std::string& decoderName) {
    for (const auto& known : kFormatNames) {
        if (bestExtension == known.extension) return known.name;
    }
    // "JPEG Decoder" names the format "JPEG".
    const std::string suffix = " Decoder";
    if (decoderName.size() > suffix.size() &&
        decoderName.compare(decoderName.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return decoderName.substr(0, decoderName.size() - suffix.size());
    }
    return decoderName.empty() ? AsciiUpper(bestExtension) : decoderName;
}

}  // namespace

bool IsClassicExtension(const std::string& lowerExtension) {
    for (const char* classic : {"jpg", "jpeg", "jpe", "png", "gif", "tif", "tiff"}) {
        if (lowerExtension == classic) return true;
    }
    return false;
}

std::vector<PluginFormat> ChooseExtraFormats(const std::vector<DecoderDescription>& decoders) {
    struct Candidate {
        std::string extension;
        size_t decoder;
    };
    std::vector<Candidate> candidates;
    for (size_t d = 0; d < decoders.size(); ++d) {
        const std::vector<std::string> extensions = SplitExtensions(decoders[d].extensions);
        if (IsBitmapDecoder(extensions)) continue;
        for (const std::string& ext : extensions) {
            if (IsClassicExtension(ext) || 2 + ext.size() > kMaxPatternChars) continue;
            const bool seen = std::any_of(candidates.begin(), candidates.end(),
                                          [&](const Candidate& c) { return c.extension == ext; });
            if (!seen) candidates.push_back({ext, d});
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        const size_t ra = Rank(a.extension);
        const size_t rb = Rank(b.extension);
        if (ra != rb) return ra < rb;
        return ra == kRankedCount && a.extension < b.extension;
    });
    if (candidates.size() > kMaxPluginPatterns) candidates.resize(kMaxPluginPatterns);

    std::vector<PluginFormat> formats;
    for (const Candidate& c : candidates) {
        auto format = std::find_if(formats.begin(), formats.end(),
                                   [&](const PluginFormat& f) { return f.decoder == c.decoder; });
        if (format == formats.end()) {
            formats.push_back({"*." + c.extension, FormatName(c.extension, decoders[c.decoder].name), c.decoder});
        } else {
            format->patterns += ";*." + c.extension;
        }
    }
    return formats;
}

std::string ExtraPluginDescription(const std::vector<PluginFormat>& formats) {
    if (formats.empty()) return "IFWICX.SPI: no formats beyond IFWIC.SPI's on this system";
    std::string text = "IFWICX.SPI: ";
    std::vector<std::string> named;
    for (const PluginFormat& format : formats) {
        if (std::find(named.begin(), named.end(), format.name) != named.end()) continue;
        if (!named.empty()) text += "/";
        text += format.name;
        named.push_back(format.name);
    }
    text += " via WIC";
    // The host's description field holds 255 characters.
    return text.substr(0, Cp932Prefix(text, 255));
}

bool DecoderNeedsExtension(const DecoderDescription& decoder) {
    const std::vector<std::string> extensions = SplitExtensions(decoder.extensions);
    return std::find(extensions.begin(), extensions.end(), "tga") != extensions.end();
}

bool PathHasDecoderExtension(const std::string& path, const DecoderDescription& decoder) {
    const std::string extension = AsciiLower(GetUpperExtension(path));
    if (extension.empty()) return false;
    const std::vector<std::string> extensions = SplitExtensions(decoder.extensions);
    return std::find(extensions.begin(), extensions.end(), extension) != extensions.end();
}
