#pragma once
// An edit box that takes only printable ASCII, typed or pasted, and no input
// method: what a masked box without an input method (the password dialog's) can
// take again. The box is a Unicode window (common controls 6, by the manifest),
// so a double-byte character arrives as one WM_CHAR, never as a lone trail byte.

#include <windows.h>
#include <imm.h>

#include <string>

namespace winui {

class AsciiOnlyEdit {
public:
    // Subclasses the box for its whole life; it lets go when the box is destroyed.
    void Attach(HWND edit);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data);
    static LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data);

    HIMC previousContext_ = nullptr;
};

// The clipboard's text (CF_TEXT), "" when it holds none or cannot be opened.
std::string ClipboardText(HWND owner);

}  // namespace winui
