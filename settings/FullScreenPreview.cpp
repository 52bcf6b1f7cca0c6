#include "FullScreenPreview.h"

#include "PreviewPicture.h"
#include "Warnings.h"
#include "core/ReservationRecord.h"
#include "core/ReservationRowText.h"
#include "resource.h"
#include "winui/Dialog.h"
#include "winui/Gdi.h"

namespace {

// Posted by the initialisation, so that a failed picture is reported over the
// preview once it is up, and never from inside a paint.
constexpr UINT kReportFailure = WM_APP + 1;

// The method menu's commands, item by item in the order of the method list.
constexpr int kMethodMenuIds[] = {ID_SHOW_CENTRED, ID_SHOW_TILED, ID_SHOW_STRETCHED,
                                  ID_SHOW_FIT,     ID_SHOW_FILL,  ID_SHOW_SPAN};
constexpr int kMethodMenuItems = static_cast<int>(sizeof kMethodMenuIds / sizeof kMethodMenuIds[0]);
static_assert(kMethodMenuItems == kMethodListCount, "one menu item for each method of the list");

class FullScreenPreview : public winui::Dialog {
public:
    FullScreenPreview(PluginHost& plugins, const std::string& path, COLORREF colour, int32_t method, SIZE screen)
        : winui::Dialog(IDD_FULL_SCREEN),
          plugins_(plugins),
          path_(path),
          colour_(colour),
          method_(method),
          screen_{screen.cx, screen.cy} {
        BindDrawItem(IDC_FULL_SCREEN_PICTURE, [this](DRAWITEMSTRUCT& item) { Draw(item); });
        // The picture covers the whole dialog: erasing first would only flash.
        BindMessage(WM_ERASEBKGND, [](WPARAM, LPARAM) { return LRESULT{1}; });
        BindMessage(WM_LBUTTONDBLCLK, [this](WPARAM, LPARAM) {
            OnOK();
            return LRESULT{0};
        });
        BindMessage(WM_RBUTTONDOWN, [this](WPARAM, LPARAM at) {
            ShowMethodMenu(at);
            PassToDefault();
            return LRESULT{0};
        });
        BindMessage(kReportFailure, [](WPARAM code, LPARAM) {
            ShowWarning(static_cast<SettingsWarning>(code));
            return LRESULT{0};
        });
        for (int item = 0; item < kMethodMenuItems; ++item) {
            BindCommand(kMethodMenuIds[item], [this, item] { Choose(MethodOfListItem(item)); });
        }
    }

    int32_t Method() const { return method_; }

protected:
    BOOL OnInitDialog() override {
        SetWindowPos(Handle(), nullptr, 0, 0, screen_.width, screen_.height, SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(Item(IDC_FULL_SCREEN_PICTURE), nullptr, 0, 0, screen_.width, screen_.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        // Decoded once per opening: repaints reuse the picture, or its failure.
        const int warning = PreviewWarningFor(picture_.Load(plugins_, path_));
        if (warning != kNoWarning) PostMessageA(Handle(), kReportFailure, static_cast<WPARAM>(warning), 0);
        return TRUE;
    }

private:
    void Draw(const DRAWITEMSTRUCT& item) const {
        // Unscaled: the box is the screen. Drawn off screen in one piece, so that
        // a change of method never flashes the bare colour.
        winui::MemoryDC memory(item.hDC);
        winui::ScopedGdiObject<HBITMAP> canvas(CreateCompatibleBitmap(item.hDC, screen_.width, screen_.height));
        if (!memory.Get() || !canvas) {
            picture_.Draw(item.hDC, method_, colour_, screen_, screen_);
            return;
        }
        winui::ScopedSelect select(memory.Get(), canvas.Get());
        picture_.Draw(memory.Get(), method_, colour_, screen_, screen_);
        BitBlt(item.hDC, 0, 0, screen_.width, screen_.height, memory.Get(), 0, 0, SRCCOPY);
    }

    void ShowMethodMenu(LPARAM at) {
        winui::ScopedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_FULL_SCREEN_MENU)));
        HMENU methods = menu ? GetSubMenu(menu.Get(), 0) : nullptr;
        if (methods == nullptr) return;
        // A method the list does not offer is drawn centred: the mark names what
        // the screen shows. The menu's items are in the list's order, after
        // 閉じる and a separator: the group is named by its first and last command.
        const int listed = MethodListItem(method_);
        const int shown = listed >= 0 ? listed : MethodListItem(kMethodCentre);
        CheckMenuRadioItem(methods, kMethodMenuIds[0], kMethodMenuIds[kMethodMenuItems - 1], kMethodMenuIds[shown],
                           MF_BYCOMMAND);
        POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        ClientToScreen(Handle(), &point);
        TrackPopupMenu(methods, TPM_RIGHTBUTTON, point.x, point.y, 0, Handle(), nullptr);
    }

    void Choose(int32_t method) {
        method_ = method;
        RedrawWindow(Item(IDC_FULL_SCREEN_PICTURE), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    PluginHost& plugins_;
    std::string path_;
    COLORREF colour_;
    int32_t method_;
    PixelSize screen_;
    PreviewPicture picture_;
};

// The task bar would cover the preview's lower edge. It comes back as it was,
// however the preview ends; one that was hidden already (an idle system tray
// window) stays hidden.
class HiddenTaskBar {
public:
    HiddenTaskBar() : tray_(FindWindowA("Shell_TrayWnd", nullptr)), hidden_(tray_ != nullptr && IsWindowVisible(tray_)) {
        if (hidden_) ShowWindow(tray_, SW_HIDE);
    }
    ~HiddenTaskBar() {
        // Without activation: the owner, not the task bar, has the user's attention.
        if (hidden_ && IsWindow(tray_)) ShowWindow(tray_, SW_SHOWNA);
    }
    HiddenTaskBar(const HiddenTaskBar&) = delete;
    HiddenTaskBar& operator=(const HiddenTaskBar&) = delete;

private:
    HWND tray_;
    bool hidden_;
};

}  // namespace

int RunFullScreenPreview(HWND owner, PluginHost& plugins, const std::string& path, COLORREF colour, int32_t method,
                         SIZE screen) {
    HWND focus = GetFocus();
    int chosen = -1;
    {
        HiddenTaskBar taskBar;
        FullScreenPreview preview(plugins, path, colour, method, screen);
        if (preview.DoModal(owner) == IDOK) chosen = preview.Method();
    }
    if (focus != nullptr && IsWindow(focus)) SetFocus(focus);
    return chosen;
}
