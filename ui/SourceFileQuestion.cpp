#include "ui/SourceFileQuestion.h"

#include "ui/CopyErrorDlg.h"

bool AskForSourceFile(CWnd* pParentWnd, std::string& path)
{
    CCopyErrorDlg dlg(pParentWnd);
    dlg.SetPath(path.c_str());
    if (dlg.DoModal() != IDRETRY)
        return false;
    path = dlg.GetPath();
    return true;
}
