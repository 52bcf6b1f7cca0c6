#include "AnsiText.h"

#include <windows.h>

namespace {

std::string Convert(const wchar_t* text, DWORD flags, BOOL* usedDefault) {
    const int bytes = WideCharToMultiByte(CP_ACP, flags, text, -1, nullptr, 0, nullptr, usedDefault);
    if (bytes <= 1) return std::string();
    std::string ansi(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, flags, text, -1, &ansi[0], bytes, nullptr, usedDefault);
    ansi.resize(static_cast<size_t>(bytes) - 1);  // the terminating zero
    return ansi;
}

}  // namespace

std::wstring WideFromAnsi(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], units);
    return wide;
}

bool ExactAnsi(const wchar_t* text, std::string& ansi) {
    BOOL usedDefault = FALSE;
    ansi = Convert(text, WC_NO_BEST_FIT_CHARS, &usedDefault);
    return usedDefault == FALSE;
}

std::string ClosestAnsi(const wchar_t* text) { return Convert(text, 0, nullptr); }
