#pragma once
// ZovOV_MD: binds the version 1.04 profile and runs the migration dialog as its
// main window; the program ends when the dialog closes.

#include "winui/Application.h"

class MigrationApp : public winui::Application {
public:
    MigrationApp();
    int Run() override;
};
