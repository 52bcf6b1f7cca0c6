#include "PasswordDialog.h"

#include "core/ProfileValues.h"
#include "resource.h"

PasswordDialog::PasswordDialog() : winui::Dialog(IDD_PASSWORD) {}

BOOL PasswordDialog::OnInitDialog() {
    SendDlgItemMessageA(Handle(), IDC_PASSWORD, EM_LIMITTEXT, profile::kPasswordMaxLength, 0);
    SetFocus(Item(IDC_PASSWORD));
    return FALSE;  // the focus is set
}

void PasswordDialog::OnOK() {
    entered_ = ItemText(IDC_PASSWORD);
    EndDialog(IDOK);
}
