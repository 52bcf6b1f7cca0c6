// The code page 932 helpers on any bytes: every position and cut they give lies
// on a character boundary, and the compare is an ordering whose equality is
// that of the ASCII-folded texts.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "core/Cp932Text.h"

namespace {

// Where each character starts, walked with the code page's lead-byte ranges;
// the end of the text counts as a boundary too.
std::vector<bool> Boundaries(const std::string& text) {
    std::vector<bool> at(text.size() + 1, false);
    for (size_t i = 0; i < text.size();) {
        at[i] = true;
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    at[text.size()] = true;
    return at;
}

int Sign(int v) { return (v > 0) - (v < 0); }

void CheckOne(const std::string& text, size_t limit) {
    const std::vector<bool> boundary = Boundaries(text);

    const size_t prefix = Cp932Prefix(text, limit);
    FUZZ_CHECK(prefix <= limit && prefix <= text.size() && boundary[prefix]);
    FUZZ_CHECK(prefix == text.size() || prefix + Cp932CharLength(text, prefix) > limit);

    const size_t slash = LastBackslash(text);
    if (slash != std::string::npos) {
        FUZZ_CHECK(boundary[slash] && text[slash] == '\\');
        for (size_t i = slash + 1; i < text.size(); ++i) FUZZ_CHECK(!boundary[i] || text[i] != '\\');
    }

    // The last component is the text itself, or a piece of it that starts on a
    // boundary after a backslash and runs to the end or to a final backslash.
    const std::string last = LastPathComponent(text);
    if (last != text) {
        FUZZ_CHECK(last.size() < text.size());
        const bool trailing = slash != std::string::npos && slash + 1 == text.size();
        const size_t end = trailing ? slash : text.size();
        FUZZ_CHECK(last.size() <= end);
        const size_t start = end - last.size();
        FUZZ_CHECK(boundary[start] && text.compare(start, last.size(), last) == 0);
        FUZZ_CHECK(start == 0 || (text[start - 1] == '\\' && boundary[start - 1]));
    }

    const std::string upper = AsciiUpper(text);
    FUZZ_CHECK(upper.size() == text.size() && AsciiUpper(upper) == upper);
    for (size_t i = 0; i < text.size(); ++i) {
        if (upper[i] == text[i]) continue;
        FUZZ_CHECK(boundary[i] && (i + 1 == text.size() || boundary[i + 1]));
        FUZZ_CHECK(text[i] >= 'a' && text[i] <= 'z' && upper[i] == text[i] - 'a' + 'A');
    }
}

}  // namespace

// The input: up to three texts separated by zero bytes; the first byte also
// gives the limit for the cut.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string texts[3];
    size_t part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && part < 2) {
            ++part;
            continue;
        }
        texts[part] += static_cast<char>(data[i]);
    }
    const size_t limit = size > 0 ? data[0] % 64 : 0;
    for (const std::string& text : texts) CheckOne(text, limit);

    const std::string& a = texts[0];
    const std::string& b = texts[1];
    const std::string& c = texts[2];
    const int ab = Sign(CompareAsciiNoCase(a, b));
    const int bc = Sign(CompareAsciiNoCase(b, c));
    const int ac = Sign(CompareAsciiNoCase(a, c));
    FUZZ_CHECK(CompareAsciiNoCase(a, a) == 0);
    FUZZ_CHECK(ab == -Sign(CompareAsciiNoCase(b, a)));
    FUZZ_CHECK((ab == 0) == (AsciiUpper(a) == AsciiUpper(b)));
    if (ab <= 0 && bc <= 0) FUZZ_CHECK(ac <= 0);
    if (ab >= 0 && bc >= 0) FUZZ_CHECK(ac >= 0);
    return 0;
}
