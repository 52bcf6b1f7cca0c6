#include "ResidentApp.h"

#include "ResidentDialog.h"
#include "core/ProfileValues.h"
#include "win/SharedStateBinder.h"

namespace {

// Held for the life of the process (the system releases it when a process dies,
// so a crashed copy never blocks the next start). Checking the running flag and
// setting it are two steps; two copies started at the same instant could both
// pass the check, the mutex lets only one through.
constexpr const char* kSingleInstanceMutex = "Local\\Vezaru.Mirado.MDK";

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ~ScopedHandle() {
        if (handle_ != nullptr) CloseHandle(handle_);
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

}  // namespace

ResidentApp::ResidentApp() : winui::Application(profile::kApplicationName, profile::kCompanyKey) {}

int ResidentApp::Run() {
    SharedStateBinder binder;
    if (!binder.Load()) return 0;

    ScopedHandle mutex(CreateMutexA(nullptr, FALSE, kSingleInstanceMutex));
    if (mutex.get() == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
    if (binder.GetMDKFlag() != 0) return 0;
    binder.SetMDKFlag(1);

    ResidentDialog dialog(Profile(), Profile().Read(profile::kFlag1stBoot));
    dialog.DoModal();
    return 0;
}
