#pragma once
// Owners of GDI objects, device contexts, icons and menus: each releases its
// handle on every way out of the scope that made it. Move-only.
//
// Declare a ScopedSelect after the object it selects, so that the object is
// put back out of the context before it is deleted (a selected object cannot be).

#include <windows.h>

#include "win/Owned.h"

namespace winui {

class Dialog;

namespace detail {

struct DeleteGdiObject : NullIsNoHandle {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct DestroyIconHandle : NullIsNoHandle {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct DestroyMenuHandle : NullIsNoHandle {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};

}  // namespace detail

// Bitmaps, brushes (pattern brushes too), fonts: DeleteObject.
template <class T>
using ScopedGdiObject = Owned<T, detail::DeleteGdiObject>;
// Icons the program made or was given to destroy (CopyIcon, SHGetFileInfoA's
// SHGFI_ICON); never a shared icon from LoadIcon.
using ScopedIcon = Owned<HICON, detail::DestroyIconHandle>;
// A menu loaded or created, with its submenus (LoadMenuA, CreatePopupMenu).
using ScopedMenu = Owned<HMENU, detail::DestroyMenuHandle>;

// SelectObject for the scope; the context's previous object goes back at the end.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelect() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The client-area context of a window (GetDC / ReleaseDC): the dialog's own or
// one of its controls'. No window gives no context, never the screen's.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(hwnd != nullptr ? GetDC(hwnd) : nullptr) {}
    WindowDC(const Dialog& dialog, int id);
    ~WindowDC() {
        if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC Get() const { return dc_; }
    RECT ClientRect() const;

private:
    HWND hwnd_;
    HDC dc_;
};

// A WM_PAINT handler's context (BeginPaint / EndPaint).
class PaintDC {
public:
    explicit PaintDC(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
    ~PaintDC() {
        if (dc_ != nullptr) EndPaint(hwnd_, &paint_);
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND hwnd_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An off-screen context compatible with another (CreateCompatibleDC / DeleteDC).
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;

    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace winui
