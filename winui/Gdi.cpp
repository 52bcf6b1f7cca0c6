#include "winui/Gdi.h"

#include "winui/Dialog.h"

namespace winui {

WindowDC::WindowDC(const Dialog& dialog, int id) : WindowDC(dialog.Item(id)) {}

RECT WindowDC::ClientRect() const {
    RECT client{};
    if (hwnd_ != nullptr) GetClientRect(hwnd_, &client);
    return client;
}

}  // namespace winui
