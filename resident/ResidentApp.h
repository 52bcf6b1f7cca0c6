#pragma once
// The resident changer's application object: binds the shared-state library,
// refuses a second copy, marks itself running and runs the hidden main dialog.

#include "winui/Application.h"

class ResidentApp : public winui::Application {
public:
    ResidentApp();
    int Run() override;
};
