#include "cmdline/UsageBox.h"

#include "classlib/Dialog.h"
#include "classlib/LineBreaks.h"
#include "classlib/WinApp.h"
#include "platform/HelpFile.h"
#include "res/resource.h"

const char kCommandLineHelpPage[] = "cmdline.htm";

namespace {

const UINT_PTR kCloseTimer = 1;

class CUsageDlg : public CDialog {
public:
    CUsageDlg(const std::string& text, DWORD closeAfterMs, CHtmlHelp& htmlHelp)
        : CDialog(IDD_USAGE), m_text(text), m_closeAfterMs(closeAfterMs), m_htmlHelp(htmlHelp)
    {
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ::SetWindowTextA(m_hWnd, LoadResString(IDS_APP_TITLE).c_str());
        SetDlgItemText(IDC_USAGE_TEXT, WithCrLf(m_text).c_str());
        if (m_closeAfterMs)
            ::SetTimer(m_hWnd, kCloseTimer, m_closeAfterMs, nullptr);
        // The focus on OK, not on the edit, which would show its whole text
        // selected; the dialog manager's own way, which keeps the default
        // button right.
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDOK)), TRUE);
        return FALSE;
    }

    void OnTimer(UINT_PTR id)
    {
        if (id == kCloseTimer)
            EndDialog(IDOK);
    }

    void OnHelp()
    {
        // Someone is reading: the box now waits for the click.
        ::KillTimer(m_hWnd, kCloseTimer);
        OpenHelpTopic(m_hWnd, AppHelpFilePath(), HIDC_CMDLINE, kCommandLineHelpPage, m_htmlHelp);
    }

    BOOL OnHelpInfo(HELPINFO*)
    {
        OnHelp();
        return TRUE;
    }

    DECLARE_MESSAGE_MAP()

private:
    std::string m_text;
    DWORD m_closeAfterMs;
    CHtmlHelp& m_htmlHelp;
};

BEGIN_MESSAGE_MAP(CUsageDlg, CDialog)
    ON_BN_CLICKED(ID_HELP, &CUsageDlg::OnHelp)
    ON_WM_HELPINFO()
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

INT_PTR ShowUsageBox(const std::string& text, DWORD closeAfterMs, CHtmlHelp& htmlHelp)
{
    CUsageDlg dlg(text, closeAfterMs, htmlHelp);
    return dlg.DoModal();
}
