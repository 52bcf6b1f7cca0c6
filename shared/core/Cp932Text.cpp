#include "Cp932Text.h"

std::size_t FindLastBackslash(const std::string& text) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsCp932LeadByte(c)) {
            ++i;  // a trail byte never counts; a lone lead byte at the end is just skipped
        } else if (c == '\\') {
            found = i;
        }
    }
    return found;
}
