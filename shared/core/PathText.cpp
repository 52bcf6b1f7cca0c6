#include "PathText.h"

namespace {

// Length of the character that starts at i: 2 for a lead byte with a byte after
// it, else 1 (a lead byte cut off at the end counts as a single byte).
size_t CharLength(const std::string& text, size_t i) {
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Position of the last single-byte character ch at or after `from`, npos when none.
size_t LastSingleByte(const std::string& text, char ch, size_t from = 0) {
    size_t found = std::string::npos;
    for (size_t i = from; i < text.size(); i += CharLength(text, i)) {
        if (text[i] == ch) found = i;
    }
    return found;
}

}  // namespace

size_t LastBackslash(const std::string& path) { return LastSingleByte(path, '\\'); }

std::string GetUpperExtension(const std::string& path) {
    size_t dot = LastSingleByte(path, '.');
    if (dot == std::string::npos) return std::string();
    std::string extension = path.substr(dot + 1);
    for (size_t i = 0; i < extension.size(); i += CharLength(extension, i)) {
        char& c = extension[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return extension;
}

std::string GetFileTitle(const std::string& path) {
    size_t slash = LastBackslash(path);
    if (slash == std::string::npos) return "(なし)";
    // The name starts on a character boundary, so scanning it on its own is safe.
    std::string name = path.substr(slash + 1);
    size_t dot = LastSingleByte(name, '.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string FolderOfPath(const std::string& path) {
    size_t slash = LastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
