#include "winui/Application.h"

#include <commctrl.h>

namespace winui {

Application::Application(const std::string& applicationName, const std::string& companyKey)
    : store_(HKEY_CURRENT_USER, "Software\\" + companyKey + "\\" + applicationName), profile_(store_) {}

Application::~Application() = default;

void Application::EnableControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    // Only classes every comctl32 version knows: an unknown flag fails the whole call.
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
}

}  // namespace winui
