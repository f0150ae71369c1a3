#include "ui/Help.h"

#include "classlib/Win32Api.h"
#include "res/resource.h"

#include <htmlhelp.h>

// Stored in the main dialog's tab order. The old engine finds a control by
// its id and shows the topic of the paired context id.
const DWORD HelpIdTable[] = {
    IDC_LIST_LABEL,
    HIDC_LIST_LABEL,
    IDC_PRINTER_LIST,
    HIDC_LIST_LABEL,
    IDC_NAME_LABEL,
    HIDC_NAME_LABEL,
    IDC_PRINTER_NAME,
    HIDC_NAME_LABEL,
    IDC_SET_LABEL,
    HIDC_SET_LABEL,
    IDC_PROFILE_SET,
    HIDC_SET_LABEL,
    IDC_SET,
    HIDC_SET,
    IDC_VERSION,
    HIDC_VERSION,
    IDOK,
    HIDC_CLOSE,
    ID_HELP,
    HIDC_HELP,
    0,
    0,
};

bool IsAboutBoxCommand(UINT nID)
{
    return (nID & 0xFFF0) == IDM_ABOUTBOX;
}

BOOL ShowControlHelp(HWND hWndDlg, const HELPINFO* pHelpInfo, const std::string& appHelpPath, CHtmlHelp& htmlHelp)
{
    if (!UsesWinHelp(GetOsClass())) {
        htmlHelp.Call(hWndDlg, GetHelpFilePath(appHelpPath).c_str(), HH_DISPLAY_TOPIC, 0);
        return TRUE;
    }
    // F1 in an open menu names a menu, not a window: the engine would take
    // the menu handle for a window's, and the table has no menu entries.
    if (!pHelpInfo || pHelpInfo->iContextType != HELPINFO_WINDOW)
        return TRUE;
    return Win32().WinHelpA(static_cast<HWND>(pHelpInfo->hItemHandle), appHelpPath.c_str(), HELP_WM_HELP,
                            reinterpret_cast<ULONG_PTR>(HelpIdTable));
}

void CloseHelpWindows(HWND hWndDlg, const std::string& appHelpPath, CHtmlHelp& htmlHelp)
{
    if (UsesWinHelp(GetOsClass())) {
        Win32().WinHelpA(hWndDlg, appHelpPath.c_str(), HELP_QUIT, 0);
        return;
    }
    // Without the control loaded no HTML Help window can be open, and
    // loading it only to close nothing would slow every exit.
    if (htmlHelp.IsLoaded())
        htmlHelp.Call(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
