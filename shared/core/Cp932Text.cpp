#include "Cp932Text.h"

namespace {

unsigned char LowerAscii(unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c; }

// A drive name such as "C:", which is a root of its own.
bool IsDriveName(std::string_view text) { return text.size() == 2 && text[1] == ':'; }

}  // namespace

size_t Cp932Prefix(std::string_view text, size_t limit) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t next = at + Cp932CharLength(text, at);
        if (next > limit) break;
        at = next;
    }
    return at;
}

size_t LastSingleByte(std::string_view text, char ch) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < text.size(); i += Cp932CharLength(text, i)) {
        if (text[i] == ch) found = i;
    }
    return found;
}

std::string LastPathComponent(std::string_view path) {
    std::string_view folder = path;
    if (!folder.empty() && LastBackslash(folder) == folder.size() - 1) folder.remove_suffix(1);
    if (folder.empty() || IsDriveName(folder)) return std::string(path);
    const size_t slash = LastBackslash(folder);
    return std::string(slash == std::string_view::npos ? folder : folder.substr(slash + 1));
}

std::string AsciiUpper(std::string_view text) {
    std::string upper(text);
    for (size_t i = 0; i < upper.size(); i += Cp932CharLength(upper, i)) {
        char& c = upper[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

int CompareAsciiNoCase(std::string_view a, std::string_view b) {
    // Each text is walked on its own character boundaries, so a byte is folded
    // only where it is a single-byte character of its own text.
    size_t i = 0;
    size_t aNext = 0;  // where the next character of each text starts
    size_t bNext = 0;
    for (; i < a.size() && i < b.size(); ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (i == aNext) {
            aNext += Cp932CharLength(a, i);
            if (aNext == i + 1) ca = LowerAscii(ca);
        }
        if (i == bNext) {
            bNext += Cp932CharLength(b, i);
            if (bNext == i + 1) cb = LowerAscii(cb);
        }
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string PrintableAsciiOnly(std::string_view text) {
    std::string kept;
    for (size_t i = 0; i < text.size(); i += Cp932CharLength(text, i)) {
        if (Cp932CharLength(text, i) == 1 && IsPrintableAscii(static_cast<unsigned char>(text[i]))) kept += text[i];
    }
    return kept;
}
