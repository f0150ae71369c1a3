// Help and version information of the main dialog: the help button, F1 over a
// control, the version button and the system-menu entry, and closing the help
// the dialog opened when it goes away. The engines are chosen by platform in
// ui/Help.cpp.
#include "ui/AboutDlg.h"
#include "ui/Help.h"
#include "ui/KPXSetupDlg.h"

void CKPXSetupDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (IsAboutBoxCommand(nID))
        RunAboutDlg();
    else
        CDialog::OnSysCommand(nID, lParam);
}

void CKPXSetupDlg::OnVersion()
{
    RunAboutDlg();
}

BOOL CKPXSetupDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    return ShowControlHelp(m_hWnd, pHelpInfo, AppHelpFilePath());
}

void CKPXSetupDlg::OnHelp()
{
    OpenHelpContents(m_hWnd, AppHelpFilePath());
}

void CKPXSetupDlg::CloseHelp()
{
    CloseHelpWindows(m_hWnd, AppHelpFilePath());
}
