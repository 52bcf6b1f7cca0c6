#include "ImageSignature.h"

#include <cstring>

namespace {

bool StartsWith(const uint8_t* head, size_t size, const char* magic, size_t length) {
    return size >= length && std::memcmp(head, magic, length) == 0;
}

uint32_t ReadLe32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

bool IsKnownImageHead(const uint8_t* head, size_t size) {
    if (head == nullptr) return false;
    if (StartsWith(head, size, "\xFF\xD8\xFF", 3)) return true;
    if (StartsWith(head, size, "\x89PNG\r\n\x1A\n", 8)) return true;
    if (StartsWith(head, size, "GIF87a", 6) || StartsWith(head, size, "GIF89a", 6)) return true;
    if (StartsWith(head, size, "II*\0", 4) || StartsWith(head, size, "MM\0*", 4)) return true;
    // "BM" alone is too weak a mark for a file offered at an offset, so the
    // information header's size must be one the bitmap formats define.
    if (StartsWith(head, size, "BM", 2) && size >= 18) {
        const uint32_t headerSize = ReadLe32(head + 14);
        return headerSize == 12 || headerSize == 40 || headerSize == 52 || headerSize == 56 ||
               headerSize == 108 || headerSize == 124;
    }
    return false;
}
