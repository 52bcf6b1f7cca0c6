// The main dialog's handlers for its wallpaper browser (WallpaperBrowser): a
// tab chosen, the list activated or stepped with a key, everything selected;
// the browser's pick becomes the editor's picture.

#include "SettingsDialog.h"

#include "resource.h"
#include "winui/Controls.h"
#include "winui/ListView.h"

void SettingsDialog::OnTabChanged() {
    browser_.ShowTab(winui::TabControl(*this, IDC_FOLDER_TABS).Selection());
    // A tab chosen by the user: the editor works for the browser again.
    FocusItem(IDC_WALLPAPER_LIST);
    OnWallpaperListActivated();
}

// The tab's folder in the wallpaper list, its remembered row picked again; the
// editor takes that picture when it works for the browser.
void SettingsDialog::ShowTab(int tab) {
    if (browser_.ShowTab(tab) && mode_ == EditorMode::Registering) BrowserKeyStep();
}

void SettingsDialog::OnWallpaperListActivated() {
    mode_ = EditorMode::Registering;
    ResetEditor();
    BrowserKeyStep();
}

void SettingsDialog::BrowserKeyStep() {
    SetCurrentImage(browser_.TakePick());
    FillWithBackground(IDC_SWATCH);
}

void SettingsDialog::SetCurrentImage(const std::string& path) {
    // While an existing reservation or the standard wallpaper is edited, the
    // picture stays its own; otherwise the browser's pick is the editor's.
    if (mode_ == EditorMode::Registering || mode_ == EditorMode::Disabled) {
        currentPath_ = path;
        SetEditorMode(EditorMode::Registering);
    }
    DisplayCount();
    DrawPreview();
}

void SettingsDialog::SelectAllWallpapers() {
    winui::ListView list(*this, IDC_WALLPAPER_LIST);
    list.SetSelected(-1, true);
    FocusItem(IDC_WALLPAPER_LIST);
    browser_.SelectRemembered();
    // The list may have had the focus already: the editor learns of the new
    // selection here, not from a focus notification.
    OnWallpaperListActivated();
}
