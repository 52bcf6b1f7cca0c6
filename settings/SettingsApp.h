#pragma once
// The settings program's application object: it runs only beside a running
// resident changer, as the only settings program, behind the password when one
// is set, and then runs the main dialog until it ends.

#include "winui/Application.h"

class SettingsApp : public winui::Application {
public:
    SettingsApp();
    int Run() override;
};
