#include "ResidentApp.h"

#include "ResidentDialog.h"
#include "core/ProfileValues.h"
#include "win/Owned.h"
#include "win/SharedStateBinder.h"

namespace {

// Held for the life of the process (the system releases it when a process dies,
// so a crashed copy never blocks the next start). Checking the running flag and
// setting it are two steps; two copies started at the same instant could both
// pass the check, the mutex lets only one through.
constexpr const char* kSingleInstanceMutex = "Local\\Vezaru.Mirado.MDK";

}  // namespace

ResidentApp::ResidentApp() : winui::Application(profile::kApplicationName, profile::kCompanyKey) {}

int ResidentApp::Run() {
    SharedStateBinder binder;
    if (!binder.Load()) return 0;

    const ScopedHandle mutex(CreateMutexA(nullptr, FALSE, kSingleInstanceMutex));
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    if (binder.GetMDKFlag() != 0) return 0;
    binder.SetMDKFlag(1);

    ResidentDialog dialog(Profile(), Profile().Read(profile::kFlag1stBoot));
    dialog.DoModal();
    return 0;
}
