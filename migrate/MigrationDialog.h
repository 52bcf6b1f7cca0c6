#pragma once
// The migration tool's only window (dialog 102): reads version 1.03's data when
// it opens, and on OK writes it into the settings profile, unless there is none
// or the other programs run; with box 1000 ticked it then deletes the old keys.

#include "core/MigrationPlan.h"
#include "core/SettingsProfile.h"
#include "win/SharedStateBinder.h"
#include "winui/Dialog.h"

class MigrationDialog : public winui::Dialog {
public:
    explicit MigrationDialog(SettingsProfile& profile);

    bool LibraryLoaded() const { return libraryLoaded_; }
    const OldData& Old() const { return old_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    SettingsProfile& profile_;
    SharedStateBinder binder_;
    bool libraryLoaded_ = false;
    OldData old_;
};
