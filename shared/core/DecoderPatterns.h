#pragma once
// Which file patterns an import plug-in offers for the decoders that the
// system's imaging component lists, within what a host's plug-in table holds.

#include <cstddef>
#include <string>
#include <vector>

// One decoder as the imaging component describes itself, in ASCII.
struct DecoderDescription {
    std::string name;        // its friendly name, "JPEG-XR Decoder"
    std::string extensions;  // ".jxr;.hdp;.wdp" (some decoders separate with ",")
};

// One format of the plug-in: the patterns of one decoder, ";"-separated.
struct PluginFormat {
    std::string patterns;  // "*.jxr;*.wdp;*.hdp"
    std::string name;      // "JPEG XR"
    size_t decoder = 0;    // its index in the decoder list
};

// What a host keeps of one plug-in: 8 patterns of at most 7 characters.
constexpr size_t kMaxPluginPatterns = 8;
constexpr size_t kMaxPatternChars = 7;

// The patterns IFWIC.SPI always offers, as extensions in lower case.
bool IsClassicExtension(const std::string& lowerExtension);

// The formats of the plug-in that carries what IFWIC.SPI does not: every
// extension of every decoder except the classic ones and the bitmap decoder's
// (hosts never send a bitmap), at most 8 whose patterns fit 7 characters, the
// most useful first (WebP, HEIC/HEIF, AVIF, JPEG XL, JPEG XR, then DDS, TGA,
// ICO, then the rest by name). A decoder's chosen patterns make one format;
// formats come in the order of their best pattern.
std::vector<PluginFormat> ChooseExtraFormats(const std::vector<DecoderDescription>& decoders);

// The plug-in's description: what it decodes here.
std::string ExtraPluginDescription(const std::vector<PluginFormat>& formats);

// Whether a decoder's patterns are too weak to tell its files by their head
// alone (TGA has no magic), so that a file must also carry its extension.
bool DecoderNeedsExtension(const DecoderDescription& decoder);

// Whether the path's extension is one of the decoder's (ASCII case folded,
// the extension found without splitting a double-byte character).
bool PathHasDecoderExtension(const std::string& path, const DecoderDescription& decoder);
