#include "ui/AboutDlg.h"

#include "classlib/WinApp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd)
{
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_VERSION_TEXT, LoadResString(IDS_VERSION_TEXT).c_str());
    return TRUE;
}

BOOL CAboutDlg::OnHelpInfo(HELPINFO*)
{
    return TRUE;
}

INT_PTR RunAboutDlg()
{
    CAboutDlg dlg;
    return dlg.DoModal();
}
