// Not a test: how long the settings program takes to open its main dialog and to
// switch to a tab of 1,000 pictures. Run by tools/bench-settings.sh.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "SettingsDialog.h"
#include "core/ProfileValues.h"
#include "resource.h"
#include "win/MessageBox.h"
#include "win/ProgramFolder.h"
#include "win/RegistryStore.h"
#include "winui/Controls.h"

namespace {

constexpr int kPictures = 1000;
constexpr int kRuns = 5;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void SelectTab(SettingsDialog& dialog, int tab) {
    winui::TabControl(dialog, IDC_FOLDER_TABS).Select(tab);
    NMHDR note{dialog.Item(IDC_FOLDER_TABS), IDC_FOLDER_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog.Handle(), WM_NOTIFY, IDC_FOLDER_TABS, reinterpret_cast<LPARAM>(&note));
}

}  // namespace

int main() {
    SetMessageRecorder([](HWND, const std::string&, MessageKind, UINT) { return IDOK; });
    InitCommonControls();
    const std::string folder = ProgramFolder() + "\\bench-pictures";
    CreateDirectoryA(folder.c_str(), nullptr);
    char name[32];
    for (int i = 0; i < kPictures; ++i) {
        std::snprintf(name, sizeof name, "\\picture%04d.bmp", i);
        HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    RegistryStore store(HKEY_CURRENT_USER, "Software\\Vezaru\\MiradoBench");
    SettingsProfile profile(store);
    profile.Write(profile::kMaxFolder, 2);
    profile.WriteString(profile::kViewFolderTitleSection, "00", "bench");
    profile.WriteString(profile::kViewFolderPathSection, "00", folder);

    std::vector<double> opens, switches;
    for (int run = 0; run < kRuns; ++run) {
        SettingsDialog dialog(profile);
        const double start = Now();
        if (!dialog.Create(nullptr)) return 1;
        opens.push_back(Now() - start);
        SelectTab(dialog, 0);
        const double before = Now();
        SelectTab(dialog, 1);
        switches.push_back(Now() - before);
        dialog.Destroy();
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Vezaru\\MiradoBench");
    std::printf("open the main dialog: %.1f ms\n", Median(opens));
    std::printf("switch to a tab of %d pictures: %.1f ms\n", kPictures, Median(switches));
    return 0;
}
