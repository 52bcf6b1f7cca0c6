#include "winui/AsciiOnlyEdit.h"

#include <commctrl.h>

#include "core/Cp932Text.h"

namespace winui {

void AsciiOnlyEdit::Attach(HWND edit) {
    if (edit == nullptr || !SetWindowSubclass(edit, &Proc, 0, reinterpret_cast<DWORD_PTR>(this))) return;
    previousContext_ = ImmAssociateContext(edit, nullptr);
}

LRESULT CALLBACK AsciiOnlyEdit::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR data) {
    try {
        return Handle(hwnd, message, wParam, lParam, data);
    } catch (...) {
        return 0;  // out of memory for a pasted text: nothing is pasted
    }
}

LRESULT AsciiOnlyEdit::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR data) {
    switch (message) {
        case WM_CHAR:
            // Control keys edit, printable ones type.
            if (wParam < 0x20 || IsPrintableAscii(static_cast<uint32_t>(wParam))) break;
            MessageBeep(MB_OK);
            return 0;
        case WM_IME_CHAR:
            return 0;
        case WM_PASTE: {
            const std::string kept = PrintableAsciiOnly(ClipboardText(hwnd));
            SendMessageA(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
            return 0;
        }
        case WM_NCDESTROY:
            ImmAssociateContext(hwnd, reinterpret_cast<AsciiOnlyEdit*>(data)->previousContext_);
            RemoveWindowSubclass(hwnd, &Proc, 0);
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

std::string ClipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace winui
