#include "ui/ConfirmSourceFile.h"

#include "platform/FileExists.h"
#include "ui/CopyErrorDlg.h"

BOOL ConfirmSourceFile(CWnd* pParentWnd, std::string& path)
{
    // One dialog object for the whole loop; each showing starts from the
    // path as it now stands, so the message names the file last tried.
    CCopyErrorDlg dlg(pParentWnd);
    while (!FileExists(path.c_str())) {
        dlg.SetPath(path.c_str());
        if (dlg.DoModal() != IDRETRY)
            return FALSE;
        path = dlg.GetPath();
    }
    return TRUE;
}
