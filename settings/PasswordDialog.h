#pragma once
// Dialog 143: the password asked before the main dialog when one is set. OK keeps
// the text typed into the masked box (at most 32 characters); Escape and the
// close box end it with IDCANCEL.

#include <string>

#include "winui/Dialog.h"

class PasswordDialog : public winui::Dialog {
public:
    PasswordDialog();
    const std::string& Entered() const { return entered_; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    std::string entered_;
};
