#include "AboutDialogs.h"

#include <shellapi.h>

#include <cstring>
#include <utility>

#include "resource.h"
#include "win/PluginHost.h"
#include "winui/Dialog.h"
#include "winui/Gdi.h"

namespace {

AddressOpener& Opener() {
    static AddressOpener opener;
    return opener;
}

void OpenAddress(const std::string& address) {
    if (Opener()) {
        Opener()(address);
        return;
    }
    // A failure (no browser) is not reported: the address stays readable.
    ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

class AboutBox : public winui::Dialog {
public:
    AboutBox() : winui::Dialog(IDD_ABOUT) {
        BindMessage(WM_CTLCOLORSTATIC, [this](WPARAM dc, LPARAM control) {
            if (reinterpret_cast<HWND>(control) != Item(IDC_LINK)) {
                PassToDefault();
                return LRESULT{0};
            }
            return ColourLink(reinterpret_cast<HDC>(dc));
        });
        // The hand from NT 5 on, the only systems the program runs on.
        BindMessage(WM_SETCURSOR, [this](WPARAM over, LPARAM) {
            if (reinterpret_cast<HWND>(over) != Item(IDC_LINK)) {
                PassToDefault();
                return LRESULT{FALSE};
            }
            SetCursor(LoadCursorA(nullptr, IDC_HAND));
            return LRESULT{TRUE};
        });
        BindCommand(IDC_LINK, STN_CLICKED, [this] { OpenAddress(ItemText(IDC_LINK)); });
    }

protected:
    BOOL OnInitDialog() override {
        // The link's own font, underlined: set on the control, since the static
        // selects its font after asking for its colours.
        HWND link = Item(IDC_LINK);
        dialogFont_ = reinterpret_cast<HFONT>(SendMessageA(link, WM_GETFONT, 0, 0));
        LOGFONTA font{};
        if (GetObjectA(dialogFont_ != nullptr ? static_cast<HGDIOBJ>(dialogFont_) : GetStockObject(DEFAULT_GUI_FONT),
                       sizeof font, &font) != 0) {
            font.lfUnderline = TRUE;
            linkFont_.Reset(CreateFontIndirectA(&font));
        }
        if (linkFont_) SendMessageA(link, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), FALSE);
        return TRUE;
    }
    void OnDestroy() override {
        // The control gives the font back before it is deleted.
        if (linkFont_) SendMessageA(Item(IDC_LINK), WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_), FALSE);
        linkFont_.Reset();
    }

private:
    // Blue on the dialog's face, as a link looks in a browser.
    static LRESULT ColourLink(HDC dc) {
        SetTextColor(dc, RGB(0, 0, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }

    HFONT dialogFont_ = nullptr;  // the dialog's, not ours to delete
    winui::ScopedGdiObject<HFONT> linkFont_;
};

class PluginInfoDialog : public winui::Dialog {
public:
    explicit PluginInfoDialog(const PluginHost& plugins) : winui::Dialog(IDD_PLUGIN_INFO), plugins_(plugins) {}

protected:
    BOOL OnInitDialog() override {
        std::string text;
        for (int32_t row = 0; row < plugins_.Count(); ++row) {
            const char* description = plugins_.Record(row).description;
            if (row > 0) text += "\r\n";
            text.append(description, strnlen(description, sizeof plugins_.Record(row).description));
        }
        SetItemText(IDC_PLUGIN_DESCRIPTIONS, text);
        // On OK rather than in the text, which would then show all selected.
        FocusItem(IDOK);
        return FALSE;
    }

private:
    const PluginHost& plugins_;
};

}  // namespace

void SetAddressOpener(AddressOpener opener) { Opener() = std::move(opener); }

void RunAboutBox(HWND owner) {
    AboutBox box;
    box.DoModal(owner);
}

void RunPluginInfo(HWND owner, const PluginHost& plugins) {
    PluginInfoDialog dialog(plugins);
    dialog.DoModal(owner);
}
