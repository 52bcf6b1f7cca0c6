#include "MigrationDialog.h"

#include "OldDataRegistry.h"
#include "resource.h"
#include "win/MessageBox.h"

MigrationDialog::MigrationDialog(SettingsProfile& profile) : Dialog(IDD_MIGRATION), profile_(profile) {}

BOOL MigrationDialog::OnInitDialog() {
    SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN)));

    // Without the library the running check is impossible, so nothing is read
    // (the binder has told the user already) and OK only closes.
    libraryLoaded_ = binder_.Load();
    if (libraryLoaded_) old_ = ReadOldData();
    return TRUE;
}

void MigrationDialog::OnOK() {
    if (!libraryLoaded_) {
        EndDialog(IDCANCEL);
        return;
    }
    if (!HasOldData(old_)) {
        ShowMessage(Handle(), "古いバージョンのデータが存在しません。\nデータの更新を中断しました。",
                    MessageKind::Information);
        EndDialog(IDCANCEL);
        return;
    }
    // Checked only now, so that the user may end the other programs while this
    // dialog is open.
    if (binder_.GetMDKFlag() != 0 || binder_.GetMDSFlag() != 0) {
        ShowMessage(Handle(), "ミラドが起動しています。\nミラドを終了してもう１度起動して下さい。",
                    MessageKind::Information);
        EndDialog(IDCANCEL);
        return;
    }
    // The old data is deleted only once the new profile holds all of it.
    if (WriteNewLayout(old_, profile_) && IsChecked(IDC_DELETE_OLD)) DeleteOldKeys();
    EndDialog(IDOK);
}
