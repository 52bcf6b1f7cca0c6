#pragma once
// The settings program's main dialog (102). It owns its life and its ways out,
// the reservation table with its two lists and the count, and three parts of
// its own: the wallpaper browser (WallpaperBrowser), the reservation editor
// (ReservationEditor) and the preview (PreviewPane). Its handlers tell the
// editor what the user did and hand it what the editor's step asks for; the
// edits of the table are in ReservationEdits.cpp.

#include <windows.h>

#include <memory>
#include <string>

#include "PreviewPane.h"
#include "ReservationEditor.h"
#include "WallpaperBrowser.h"
#include "core/ColumnSort.h"
#include "core/SettingsTable.h"
#include "win/PluginHost.h"
#include "win/SharedStateBinder.h"
#include "winui/Dialog.h"
#include "winui/ImageList.h"

class SettingsDialog : public winui::Dialog {
public:
    static constexpr UINT_PTR TIMER_RESIDENT_WATCH = 256;

    explicit SettingsDialog(SettingsProfile& profile);
    ~SettingsDialog() override;

    // What the dialog holds, for its tests.
    const SettingsTable& Table() const { return *table_; }
    int CurrentIndex() const { return editor_.CurrentIndex(); }
    const std::string& CurrentPath() const { return editor_.CurrentPath(); }
    EditorMode Mode() const { return editor_.Mode(); }
    int CurrentTab() const { return browser_.CurrentTab(); }
    const PreviewPicture& Picture() const { return preview_.Picture(); }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}       // Enter never ends the dialog
    void OnCancel() override;     // command 2: "終了(&X)", and the close box
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;
    bool WindowProc(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // Life, lists, ways out.
    void RemoveSystemMenuItems();
    void LoadReservations(int shown);
    void InsertReservationRow(int i);
    void UpdateReservationRow(int i);
    void InsertStandardRow();
    void DisplayCount();
    void OnColumnClick(int column);
    void SelectAllReservations();
    void SelectAllWallpapers();
    void OnTabChanged();
    void OpenOptions();
    void OpenFullScreenPreview();
    void SaveOnClose();
    // Every accepted edit: the resident changer reloads the table once this program has ended.
    void MarkChanged() { binder_.SetChgFlag(1); }
    void Leave();  // save once and end the modal run
    void OnWatchTimer();
    void OnKeyUp(const MSG& msg);

    // Tells the editor what the user did, with what its step may ask for: the
    // reservation list's pick and its record, the standard, the browser's pick.
    void Tell(EditorEvent event);

    // The edits (ReservationEdits.cpp).
    bool EditAccepted(const EditorValues& values, bool change);
    void Register();
    void Change();
    void DeleteSelected();
    void Move(int step);
    void SetAsStandard();
    void ChooseColour();

    SettingsProfile& profile_;
    SharedStateBinder binder_;
    PluginHost plugins_{PluginHost::Variant::Settings};
    std::unique_ptr<SettingsTable> table_;
    WallpaperBrowser browser_{*this, plugins_};
    PreviewPane preview_{plugins_};
    ReservationEditor editor_{*this, preview_};
    winui::ImageList rowIcons_;
    ColumnSortDirections sortDirections_;
    HACCEL accelerators_ = nullptr;
    bool saved_ = false;
};
