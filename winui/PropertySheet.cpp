#include "winui/PropertySheet.h"

#include <utility>

namespace winui {

PropertyPage::PropertyPage(int resourceId) : Dialog(resourceId) {
    // The sheet's notifications come from the sheet, whatever their id says.
    BindNotify(kAnyControl, PSN_SETACTIVE, [this](NMHDR&) { return LRESULT{OnSetActive() ? 0 : -1}; });
    BindNotify(kAnyControl, PSN_KILLACTIVE, [this](NMHDR&) { return LRESULT{OnKillActive() ? FALSE : TRUE}; });
    BindNotify(kAnyControl, PSN_APPLY, [this](NMHDR&) {
        return LRESULT{OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE};
    });
    BindNotify(kAnyControl, PSN_RESET, [this](NMHDR&) {
        OnReset();
        return LRESULT{0};
    });
}

void PropertyPage::SetModified(bool modified) {
    if (Handle() == nullptr) return;
    SendMessageA(GetParent(Handle()), modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(Handle()), 0);
}

INT_PTR CALLBACK PropertyPage::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<PropertyPage*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (self == nullptr && message == WM_INITDIALOG && lParam != 0) {
        self = reinterpret_cast<PropertyPage*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        self->Attach(hwnd);
    }
    return Route(self, message, wParam, lParam);
}

PropertySheetDialog::PropertySheetDialog(std::string caption) : caption_(std::move(caption)) {}

void PropertySheetDialog::AddPage(PropertyPage& page) { pages_.push_back(&page); }

INT_PTR PropertySheetDialog::DoModal(HWND owner) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    std::vector<PROPSHEETPAGEA> pages(pages_.size());
    for (size_t i = 0; i < pages_.size(); ++i) {
        PROPSHEETPAGEA& page = pages[i];
        page.dwSize = sizeof page;
        page.dwFlags = PSP_DEFAULT;
        page.hInstance = instance;
        page.pszTemplate = MAKEINTRESOURCEA(pages_[i]->ResourceId());
        page.pfnDlgProc = &PropertyPage::PageProc;
        page.lParam = reinterpret_cast<LPARAM>(pages_[i]);
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOCONTEXTHELP;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    return PropertySheetA(&header);
}

}  // namespace winui
