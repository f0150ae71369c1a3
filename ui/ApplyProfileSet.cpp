// The main dialog's side of the apply: the operation runs in operation/, the
// dialog answers its questions with the confirmation box, the copy error
// dialog and the overwrite dialog.
#include "ui/KPXSetupDlg.h"

#include "classlib/WinApp.h"
#include "ui/SourceFileQuestion.h"
#include "ui/OverwriteDlg.h"
#include "res/resource.h"
#include "settings/DriverINI.h"

bool CKPXSetupDlg::ConfirmApply()
{
    return MessageBox(LoadResString(IDS_CONFIRM_CHANGE).c_str(), LoadResString(IDS_CAPTION_PROFILE_SETTING).c_str(),
                      MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL;
}

bool CKPXSetupDlg::SourceFileMissing(std::string& path, DWORD)
{
    return AskForSourceFile(this, path);
}

INT_PTR CKPXSetupDlg::AskOverwrite(const std::string& source, const std::string& target)
{
    COverwriteDlg overwrite(this);
    overwrite.SetFiles(source.c_str(), target.c_str());
    return overwrite.DoModal();
}

std::string CKPXSetupDlg::RecordedSetName(const std::string& printerName)
{
    std::string setName;
    if (!CDriverINI().ReadProfileSetName(printerName, setName))
        setName = LoadResString(IDS_DEFAULT_SET_NAME);
    return setName;
}
