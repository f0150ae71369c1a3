#include "ui/OverwriteDlg.h"

#include "classlib/FileStatus.h"
#include "classlib/PathParts.h"
#include "classlib/TemplateFormat.h"
#include "platform/SafeFileAccess.h"
#include "res/resource.h"
#include "ui/FileInfoText.h"

BEGIN_MESSAGE_MAP(COverwriteDlg, CDialog)
    ON_BN_CLICKED(IDYES, &COverwriteDlg::OnYes)
    ON_BN_CLICKED(IDC_OVERWRITE_ALL, &COverwriteDlg::OnOverwriteAll)
    ON_BN_CLICKED(IDNO, &COverwriteDlg::OnNo)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

COverwriteDlg::COverwriteDlg(CWnd* pParentWnd) : CDialog(IDD_OVERWRITE, pParentWnd)
{
}

void COverwriteDlg::SetFiles(const char* newFile, const char* existingFile)
{
    m_strNewFile = newFile ? newFile : "";
    m_strExistingFile = existingFile ? existingFile : "";
}

BOOL COverwriteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The statics' template texts are the formats (see TemplateFormat.h).
    std::string format = GetDlgItemText(IDC_OVERWRITE_FILE);
    SetDlgItemText(IDC_OVERWRITE_FILE, FormatTemplateText(format, FileNamePart(m_strExistingFile)).c_str());
    // Each target folder is asked about on its own: the question names it.
    SetDlgItemText(IDC_OVERWRITE_DIR,
                   FormatTemplateText(GetDlgItemText(IDC_OVERWRITE_DIR), DirectoryPart(m_strExistingFile)).c_str());
    ShowFileInfo(m_strExistingFile, IDC_EXISTING_SIZE, IDC_EXISTING_TIME);
    ShowFileInfo(m_strNewFile, IDC_NEW_SIZE, IDC_NEW_TIME);

    // The focus goes to the first tab stop, the Yes button.
    return TRUE;
}

void COverwriteDlg::ShowFileInfo(const std::string& path, int sizeId, int timeId)
{
    // The existing file may be in the native system directory under WOW64:
    // the redirection-safe query sees that one, not its 32-bit substitute.
    CFileStatus status;
    if (!SafeGetFileStatus(path.c_str(), status))
        return;

    long long kilobytes = static_cast<long long>(SizeInKilobytes(status.m_size));
    SetDlgItemText(sizeId, FormatTemplateNumber(GetDlgItemText(sizeId), kilobytes).c_str());
    SetDlgItemText(timeId, FormatTemplateText(GetDlgItemText(timeId), FormatLocalMinute(status.m_mtime)).c_str());
}

void COverwriteDlg::OnYes()
{
    EndDialog(IDYES);
}

void COverwriteDlg::OnOverwriteAll()
{
    EndDialog(IDC_OVERWRITE_ALL);
}

void COverwriteDlg::OnNo()
{
    EndDialog(IDNO);
}

BOOL COverwriteDlg::OnHelpInfo(HELPINFO*)
{
    // Handled without passing it on: the dialog manager's default would
    // hand WM_HELP to the owner, the main dialog, which opens the help.
    return TRUE;
}
