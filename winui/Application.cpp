#include "winui/Application.h"

#include <commctrl.h>

namespace winui {

namespace {
Application* g_current = nullptr;
}

Application::Application(std::string applicationName, std::string companyKey)
    : instance_(GetModuleHandleA(nullptr)),
      name_(std::move(applicationName)),
      rootPath_("Software\\" + companyKey + "\\" + name_),
      store_(HKEY_CURRENT_USER, rootPath_),
      profile_(store_),
      previous_(g_current) {
    g_current = this;
}

Application::~Application() {
    if (g_current == this) g_current = previous_;
}

Application* Application::Current() { return g_current; }

void Application::EnableControls() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    // Only classes every comctl32 version knows: an unknown flag fails the whole call.
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
}

}  // namespace winui
