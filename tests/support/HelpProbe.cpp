#include "support/HelpProbe.h"

BEGIN_MESSAGE_MAP(HelpCountingOwner, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

BOOL HelpCountingOwner::OnHelpInfo(HELPINFO*)
{
    ++helpCount;
    return TRUE;
}

LRESULT SendHelp(HWND dialog, int ctrlId)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = ctrlId;
    info.hItemHandle = GetDlgItem(dialog, ctrlId);
    GetCursorPos(&info.MousePos);
    return SendMessageA(dialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}
