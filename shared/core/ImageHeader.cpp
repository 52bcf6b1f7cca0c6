#include "ImageHeader.h"

#include <cstring>

namespace {

bool StartsWith(const uint8_t* head, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(head, magic, length) == 0;
}

uint32_t Le16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8; }
uint32_t Be16(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 8 | static_cast<uint32_t>(p[1]); }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }
uint32_t Be32(const uint8_t* p) { return Be16(p) << 16 | Be16(p + 2); }

bool IsJpeg(const uint8_t* p, size_t n) { return StartsWith(p, n, "\xFF\xD8\xFF", 3); }
bool IsPng(const uint8_t* p, size_t n) { return StartsWith(p, n, "\x89PNG\r\n\x1A\n", 8); }
bool IsGif(const uint8_t* p, size_t n) { return StartsWith(p, n, "GIF87a", 6) || StartsWith(p, n, "GIF89a", 6); }
bool IsTiff(const uint8_t* p, size_t n) { return StartsWith(p, n, "II*\0", 4) || StartsWith(p, n, "MM\0*", 4); }

// "BM" alone is too weak a mark for a file offered at an offset, so the
// information header's size must be one the bitmap formats define.
bool IsBitmap(const uint8_t* p, size_t n) {
    if (!StartsWith(p, n, "BM", 2) || n < 18) return false;
    const uint32_t headerSize = Le32(p + 14);
    return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 ||
           headerSize == 124;
}

// Keeps the declared rectangle with the most pixels.
struct Largest {
    uint32_t width = 0;
    uint32_t height = 0;
    bool any = false;
    void Offer(uint32_t w, uint32_t h) {
        if (!any || static_cast<uint64_t>(w) * h > static_cast<uint64_t>(width) * height) {
            width = w;
            height = h;
        }
        any = true;
    }
};

bool JpegSize(const uint8_t* p, size_t n, Largest* out) {
    size_t at = 2;
    while (at + 1 < n) {
        if (p[at] != 0xFF) return false;
        const uint8_t marker = p[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // markers without a segment
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return false;  // no frame header before the data
        if (at + 4 > n) return false;
        const size_t length = Be16(p + at + 2);
        if (length < 2) return false;
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 9 > n) return false;
            out->Offer(Be16(p + at + 7), Be16(p + at + 5));
            return true;
        }
        at += 2 + length;
    }
    return false;
}

bool PngSize(const uint8_t* p, size_t n, Largest* out) {
    if (n < 24 || std::memcmp(p + 12, "IHDR", 4) != 0) return false;
    out->Offer(Be32(p + 16), Be32(p + 20));
    return true;
}

// Steps over a chain of GIF data sub-blocks; false when the data end first.
bool SkipSubBlocks(const uint8_t* p, size_t n, size_t* at) {
    while (*at < n) {
        const size_t length = p[*at];
        *at += 1 + length;
        if (length == 0) return true;
    }
    return false;
}

bool GifSize(const uint8_t* p, size_t n, Largest* out) {
    if (n < 13) return false;
    out->Offer(Le16(p + 6), Le16(p + 8));
    size_t at = 13;
    if (p[10] & 0x80) at += 3u << ((p[10] & 7) + 1);
    // Every frame counts: a decoder may read them all at once.
    while (at < n) {
        const uint8_t block = p[at];
        if (block == 0x3B) break;
        if (block == 0x21) {
            at += 2;
            if (!SkipSubBlocks(p, n, &at)) break;
        } else if (block == 0x2C) {
            if (at + 10 > n) break;
            out->Offer(Le16(p + at + 5), Le16(p + at + 7));
            const uint8_t flags = p[at + 9];
            at += 10;
            if (flags & 0x80) at += 3u << ((flags & 7) + 1);
            at += 1;  // the code size
            if (!SkipSubBlocks(p, n, &at)) break;
        } else {
            break;
        }
    }
    return true;
}

bool TiffSize(const uint8_t* p, size_t n, Largest* out) {
    const bool little = p[0] == 'I';
    auto u16 = [&](size_t at) { return little ? Le16(p + at) : Be16(p + at); };
    auto u32 = [&](size_t at) { return little ? Le32(p + at) : Be32(p + at); };
    if (n < 8) return false;  // the magic alone, without the first directory's offset
    const size_t ifd = u32(4);
    if (ifd > n || n - ifd < 2) return false;
    const size_t entries = u16(ifd);
    uint32_t width = 0;
    uint32_t height = 0;
    bool haveWidth = false;
    bool haveHeight = false;
    for (size_t i = 0; i < entries; ++i) {
        const size_t entry = ifd + 2 + i * 12;
        if (entry + 12 > n) break;
        const uint32_t tag = u16(entry);
        const uint32_t type = u16(entry + 2);
        if (tag != 256 && tag != 257) continue;
        uint32_t value = 0;
        if (type == 3) {
            value = u16(entry + 8);
        } else if (type == 4) {
            value = u32(entry + 8);
        } else {
            continue;
        }
        if (tag == 256) {
            width = value;
            haveWidth = true;
        } else {
            height = value;
            haveHeight = true;
        }
    }
    if (!haveWidth || !haveHeight) return false;
    out->Offer(width, height);
    return true;
}

bool BitmapSize(const uint8_t* p, size_t n, Largest* out) {
    if (Le32(p + 14) == 12) {
        if (n < 22) return false;
        out->Offer(Le16(p + 18), Le16(p + 20));
        return true;
    }
    if (n < 26) return false;
    const int32_t width = static_cast<int32_t>(Le32(p + 18));
    const int32_t height = static_cast<int32_t>(Le32(p + 22));  // negative for top-down rows
    auto magnitude = [](int32_t v) { return v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v); };
    out->Offer(magnitude(width), magnitude(height));
    return true;
}

}  // namespace

bool IsKnownImageHead(const uint8_t* head, size_t size) {
    if (head == nullptr) return false;
    return IsJpeg(head, size) || IsPng(head, size) || IsGif(head, size) || IsTiff(head, size) ||
           IsBitmap(head, size);
}

bool ReadDeclaredSize(const uint8_t* data, size_t size, uint32_t* width, uint32_t* height) {
    if (data == nullptr) return false;
    Largest largest;
    bool found = false;
    if (IsJpeg(data, size)) {
        found = JpegSize(data, size, &largest);
    } else if (IsPng(data, size)) {
        found = PngSize(data, size, &largest);
    } else if (IsGif(data, size)) {
        found = GifSize(data, size, &largest);
    } else if (IsTiff(data, size)) {
        found = TiffSize(data, size, &largest);
    } else if (IsBitmap(data, size)) {
        found = BitmapSize(data, size, &largest);
    }
    if (!found) return false;
    *width = largest.width;
    *height = largest.height;
    return true;
}

JxrLayout CheckJxrLayout(const uint8_t* data, size_t size) {
    if (!StartsWith(data, size, "II\xBC\x01", 4)) return JxrLayout::NotJxr;
    if (size < 8) return JxrLayout::Broken;
    const uint64_t directory = Le32(data + 4);
    if (directory + 2 > size) return JxrLayout::Broken;
    const uint64_t entries = Le16(data + directory);
    if (directory + 2 + entries * 12 > size) return JxrLayout::Broken;
    // The coded image's offset and byte count (tags 0xBCC0, 0xBCC1), and the
    // optional alpha plane's (0xBCC2, 0xBCC3): each SHORT or LONG.
    uint64_t values[4] = {};
    bool found[4] = {};
    for (uint64_t i = 0; i < entries; ++i) {
        const uint8_t* entry = data + directory + 2 + i * 12;
        const uint32_t tag = Le16(entry);
        const uint32_t type = Le16(entry + 2);
        if (tag < 0xBCC0 || tag > 0xBCC3 || Le32(entry + 4) != 1 || (type != 3 && type != 4)) continue;
        values[tag - 0xBCC0] = type == 3 ? Le16(entry + 8) : Le32(entry + 8);
        found[tag - 0xBCC0] = true;
    }
    if (!found[0] || !found[1] || values[1] == 0 || values[0] + values[1] > size) return JxrLayout::Broken;
    if (found[2] != found[3] || (found[2] && values[2] + values[3] > size)) return JxrLayout::Broken;
    return JxrLayout::Complete;
}
