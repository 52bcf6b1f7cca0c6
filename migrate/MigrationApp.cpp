#include "MigrationApp.h"

#include "MigrationDialog.h"
#include "core/ProfileValues.h"

MigrationApp::MigrationApp() : Application(profile::kApplicationName, profile::kCompanyKey) {}

int MigrationApp::Run() {
    EnableControls();
    MigrationDialog dialog(Profile());
    dialog.DoModal(nullptr);
    return 0;
}
