#include "WicDecoders.h"

#include "core/ImageHeader.h"
#include "WicPicture.h"

namespace {

// Decoders speak UTF-16; only ASCII can stand in a pattern or a description.
std::string AsciiOf(const WCHAR* text) {
    std::string out;
    for (; *text != 0; ++text) out.push_back(*text < 0x80 ? static_cast<char>(*text) : '?');
    return out;
}

bool IsOwnCheckedContainer(const GUID& container) {
    return IsEqualGUID(container, GUID_ContainerFormatJpeg) || IsEqualGUID(container, GUID_ContainerFormatPng) ||
           IsEqualGUID(container, GUID_ContainerFormatGif) || IsEqualGUID(container, GUID_ContainerFormatTiff);
}

std::vector<InstalledDecoder> EnumerateDecoders(IWICImagingFactory* factory) {
    std::vector<InstalledDecoder> decoders;
    ComRef<IEnumUnknown> components;
    if (FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, components.Put()))) {
        return decoders;
    }
    for (;;) {
        ComRef<IUnknown> component;
        ULONG fetched = 0;
        if (components->Next(1, component.Put(), &fetched) != S_OK || fetched != 1) break;
        ComRef<IWICBitmapDecoderInfo> info;
        if (FAILED(component->QueryInterface(IID_IWICBitmapDecoderInfo, reinterpret_cast<void**>(info.Put())))) continue;
        InstalledDecoder decoder;
        WCHAR text[256] = {};
        UINT length = 0;
        if (FAILED(info->GetCLSID(&decoder.clsid))) continue;
        if (SUCCEEDED(info->GetFriendlyName(256, text, &length))) decoder.description.name = AsciiOf(text);
        text[0] = 0;
        if (FAILED(info->GetFileExtensions(256, text, &length))) continue;
        decoder.description.extensions = AsciiOf(text);
        GUID container;
        decoder.ownHeadCheck = SUCCEEDED(info->GetContainerFormat(&container)) && IsOwnCheckedContainer(container);
        decoders.push_back(decoder);
    }
    return decoders;
}

ExtraFormats ReadExtraFormats() {
    ExtraFormats extra;
    ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(factory.Put())))) {
        extra.decoders = EnumerateDecoders(factory.Get());
    }
    std::vector<DecoderDescription> descriptions;
    for (const InstalledDecoder& decoder : extra.decoders) descriptions.push_back(decoder.description);
    extra.formats = ChooseExtraFormats(descriptions);
    extra.description = ExtraPluginDescription(extra.formats);
    return extra;
}

bool DecoderMatches(IWICImagingFactory* factory, IWICStream* stream, const CLSID& clsid) {
    ComRef<IWICComponentInfo> component;
    ComRef<IWICBitmapDecoderInfo> info;
    if (FAILED(factory->CreateComponentInfo(clsid, component.Put())) ||
        FAILED(component->QueryInterface(IID_IWICBitmapDecoderInfo, reinterpret_cast<void**>(info.Put())))) {
        return false;
    }
    LARGE_INTEGER start;
    start.QuadPart = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return false;
    BOOL matches = FALSE;
    return SUCCEEDED(info->MatchesPattern(stream, &matches)) && matches;
}

}  // namespace

const ExtraFormats& InstalledExtraFormats() {
    // The installed codecs do not change while a host runs.
    static const ExtraFormats extra = ReadExtraFormats();
    return extra;
}

bool ExtraFormatTakesHead(const char* path, const uint8_t* head, size_t size) {
    const ExtraFormats& extra = InstalledExtraFormats();
    if (extra.formats.empty() || size == 0 || size > 0xFFFFFFFFu) return false;
    ComApartment apartment;
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))) ||
        FAILED(factory->CreateStream(stream.Put())) ||
        // WIC only reads through the stream; the cast is the interface's, not a write.
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(head), static_cast<DWORD>(size)))) {
        return false;
    }
    const bool knownHead = IsKnownImageHead(head, size);
    for (const PluginFormat& format : extra.formats) {
        const InstalledDecoder& decoder = extra.decoders[format.decoder];
        if (decoder.ownHeadCheck && !knownHead) continue;
        if (DecoderNeedsExtension(decoder.description) &&
            (path == nullptr || !PathHasDecoderExtension(path, decoder.description))) {
            continue;
        }
        if (DecoderMatches(factory.Get(), stream.Get(), decoder.clsid)) return true;
    }
    return false;
}
