#include "ui/CopyErrorDlg.h"

#include "classlib/PathParts.h"
#include "classlib/TemplateFormat.h"
#include "classlib/Win32Api.h"
#include "classlib/WinApp.h"
#include "platform/OsClass.h"
#include "res/resource.h"

#include <cstddef>
#include <cstring>

namespace {

// "KESTRO ｶﾗｰﾌﾟﾛﾌｧｲﾙ(*.kpx)" in code page 932, then its pattern; the
// literal's own terminating zero ends the list.
const char kProfileFilter[] = "KESTRO \xB6\xD7\xB0\xCC\xDF\xDB\xCC\xA7\xB2\xD9(*.kpx)\0"
                              "*.kpx\0";

// The common dialogs of 95/98 and NT 4.0 refuse a record with the members
// added for 2000/Me; they get the record without them. Every later system
// takes the full one.
static_assert(sizeof(OPENFILENAMEA) == 88, "the full OPENFILENAMEA record");
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == 76, "the record of 95/98 and NT 4.0");

DWORD ChooserRecordSize()
{
    const OsClass os = GetOsClass();
    return os == OsWin9x || os == OsNT4 ? OPENFILENAME_SIZE_VERSION_400A : sizeof(OPENFILENAMEA);
}

} // namespace

BEGIN_MESSAGE_MAP(CCopyErrorDlg, CDialog)
    ON_BN_CLICKED(IDRETRY, &CCopyErrorDlg::OnRetry)
    ON_BN_CLICKED(IDC_BROWSE, &CCopyErrorDlg::OnBrowse)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CCopyErrorDlg::CCopyErrorDlg(CWnd* pParentWnd) : CDialog(IDD_COPYERROR, pParentWnd)
{
}

void CCopyErrorDlg::SetPath(const char* path)
{
    m_strPath = path ? path : "";
}

std::string CCopyErrorDlg::GetPath() const
{
    return m_strPath;
}

void CCopyErrorDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_COPY_SOURCE, m_editPath);
}

BOOL CCopyErrorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The message names the file; a path without a file name (empty, or
    // ending in a separator) is named as it is, an empty one by the text for
    // a file not given, so that no placeholder ever shows. Without a path
    // the edit stays empty: the user has to type or browse one.
    std::string name = FileNamePart(m_strPath);
    if (name.empty())
        name = m_strPath.empty() ? LoadResString(IDS_NO_FILE_GIVEN) : m_strPath;
    const std::string format = GetDlgItemText(IDC_COPY_MESSAGE);
    SetDlgItemText(IDC_COPY_MESSAGE, FormatTemplateText(format, name).c_str());
    m_editPath.SetWindowText(m_strPath);

    // The focus goes to the first tab stop, the Retry button.
    return TRUE;
}

void CCopyErrorDlg::OnRetry()
{
    // Taken as typed; the caller tests whether it names a file.
    m_strPath = m_editPath.GetWindowText();
    EndDialog(IDRETRY);
}

void CCopyErrorDlg::OnBrowse()
{
    char fileName[260] = "";   // empty: the chooser preselects no file
    char initialDir[264] = ""; // empty: the system chooses the folder

    // The chooser opens in the folder of the current path. A folder too long
    // for the buffer is left out rather than cut to some other folder.
    size_t slash = FindLastBackslash(m_strPath);
    if (slash != std::string::npos && slash < sizeof(initialDir))
        std::memcpy(initialDir, m_strPath.data(), slash);

    std::string title = LoadResString(IDS_BROWSE_TITLE);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = ChooserRecordSize();
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = kProfileFilter;
    ofn.lpstrFile = fileName;
    ofn.nMaxFile = sizeof(fileName);
    ofn.lpstrInitialDir = initialDir;
    // Without a title of our own the system's default one is shown.
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    ofn.lpstrDefExt = "kpx";

    // Cancelled or failed: path and edit stay as they are.
    if (!Win32().GetOpenFileNameA(&ofn))
        return;
    m_strPath = fileName;
    m_editPath.SetWindowText(m_strPath);
}

BOOL CCopyErrorDlg::OnHelpInfo(HELPINFO*)
{
    // Handled without passing it on: the dialog manager's default would
    // hand WM_HELP to the owner, the main dialog, which opens the help.
    return TRUE;
}
