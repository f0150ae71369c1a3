// Help and version information of the main dialog.
#include "ui/KPXSetupDlg.h"

// The help engines and the version dialog are built separately; until then
// these handlers do nothing and every system command gets its default handling.

void CKPXSetupDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    CDialog::OnSysCommand(nID, lParam);
}

void CKPXSetupDlg::OnVersion()
{
}

BOOL CKPXSetupDlg::OnHelpInfo(HELPINFO*)
{
    return TRUE;
}

void CKPXSetupDlg::OnHelp()
{
}

void CKPXSetupDlg::CloseHelp()
{
}
