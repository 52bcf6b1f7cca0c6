#pragma once
// The settings program's main dialog (102): the wallpaper browser, the preview,
// the reservation editor, the standard display list and the reservation list. It
// owns the dialog's state; its handlers are split by concern: this class's life,
// lists and ways out (SettingsDialog.cpp), the browser (Browser.cpp), the
// editor's modes and enable states (EditorModes.cpp), the edits of the
// reservations (ReservationEdits.cpp); the preview is its PreviewPane.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "PreviewPane.h"
#include "WallpaperBrowser.h"
#include "core/ColumnSort.h"
#include "core/EditorRules.h"
#include "core/SettingsTable.h"
#include "win/PluginHost.h"
#include "win/SharedStateBinder.h"
#include "winui/Dialog.h"
#include "winui/ImageList.h"

class SettingsDialog : public winui::Dialog {
public:
    static constexpr UINT_PTR TIMER_RESIDENT_WATCH = 256;
    // What the editor works on, set by the list clicked or focused last and by
    // the edits: every enable state of its controls follows from it.
    enum class EditorMode {
        Disabled,        // nothing to edit (no reservation picked, or an edit just done)
        Registering,     // the browser's pick becomes new reservations
        EditingOne,      // one reservation of the list
        EditingSeveral,  // several reservations: their conditions only
        Standard,        // the standard wallpaper's method and colour
    };

    explicit SettingsDialog(SettingsProfile& profile);
    ~SettingsDialog() override;

    // What the dialog holds, for its tests.
    const SettingsTable& Table() const { return *table_; }
    int CurrentIndex() const { return currentIndex_; }
    const std::string& CurrentPath() const { return currentPath_; }
    int32_t CurrentMethod() const { return currentMethod_; }
    COLORREF CurrentColour() const { return currentColour_; }
    EditorMode Mode() const { return mode_; }
    int CurrentTab() const { return browser_.CurrentTab(); }
    const PreviewPicture& Picture() const { return preview_.Picture(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}       // Enter never ends the dialog
    void OnCancel() override;     // command 2: "終了(&X)" and the close box
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;
    bool WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Life, lists, ways out.
    void RemoveSystemMenuItems();
    void LoadReservations();
    void InsertReservationRow(int i);
    void UpdateReservationRow(int i);
    void InsertStandardRow();
    void DisplayCount();
    void OnColumnClick(int column);
    void SelectAllReservations();
    void OpenOptions();
    void OpenFullScreenPreview();
    void SaveOnClose();
    // Every accepted edit: the resident changer reloads the table once this program has ended.
    void MarkChanged() { binder_.SetChgFlag(1); }
    void Leave();  // save once and end the modal run
    void OnWatchTimer();
    void OnKeyUp(const MSG& msg);

    // Browser.
    void OnTabChanged();
    void ShowTab(int tab);
    void OnWallpaperListActivated();
    void BrowserKeyStep();
    void SetCurrentImage(const std::string& path);
    void SelectAllWallpapers();

    // The editor's modes.
    void FillEditorLists();
    void SelectEntry(int id, int32_t index);
    void SetEditorMode(EditorMode mode);
    void ApplyEditorMode();
    void ResetEditor();
    void ShowRecordInEditor(int i);
    void OnStandardListActivated();
    void OnReservationListActivated();
    void OnMethodChanged();

    // The edits (ReservationEdits.cpp).
    EditorValues ReadEditor() const;
    bool EditAccepted(const EditorValues& values, bool change);
    void Register();
    void Change();
    void DeleteSelected();
    void Move(int step);
    void SetAsStandard();
    void ChooseColour();

    // Preview.
    int DrawPreview() { return preview_.Show(currentPath_); }
    void FillWithBackground(int id) { InvalidateRect(Item(id), nullptr, FALSE); }

    SettingsProfile& profile_;
    SharedStateBinder binder_;
    PluginHost plugins_{PluginHost::Variant::Settings};
    std::unique_ptr<SettingsTable> table_;
    WallpaperBrowser browser_{*this, plugins_};
    winui::ImageList rowIcons_;
    ColumnSortDirections sortDirections_;
    PreviewPane preview_{plugins_};
    HACCEL accelerators_ = nullptr;

    EditorMode mode_ = EditorMode::Disabled;
    int currentIndex_ = -1;
    int32_t currentMethod_ = 0;
    COLORREF currentColour_ = 0;
    std::string programFolder_;
    std::string currentPath_;
    bool saved_ = false;
    bool leaving_ = false;
};
