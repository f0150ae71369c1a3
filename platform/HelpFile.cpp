#include "platform/HelpFile.h"

#include "classlib/Win32Api.h"
#include "classlib/WinApp.h"

#include <htmlhelp.h>

std::string AppHelpFilePath()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_strHelpFilePath : std::string();
}

std::string GetHelpFilePath(const std::string& appHelpPath)
{
    // The application path always ends in ".HLP"; a shorter one (no
    // application object) loses what it has.
    size_t keep = appHelpPath.size() >= 4 ? appHelpPath.size() - 4 : 0;
    return appHelpPath.substr(0, keep) + ".chm";
}

bool UsesWinHelp(OsClass os)
{
    return os == OsWin9x || os == OsNT4;
}

void OpenHelpContents(HWND hWndDlg, const std::string& appHelpPath, CHtmlHelp& htmlHelp)
{
    // A missing file or engine is reported by the engine itself, or not at
    // all; the program adds no message of its own.
    if (UsesWinHelp(GetOsClass()))
        Win32().WinHelpA(hWndDlg, appHelpPath.c_str(), HELP_INDEX, 0);
    else
        htmlHelp.Call(hWndDlg, GetHelpFilePath(appHelpPath).c_str(), HH_DISPLAY_TOPIC, 0);
}

void OpenHelpTopic(HWND hWndDlg, const std::string& appHelpPath, DWORD contextId, const char* page, CHtmlHelp& htmlHelp)
{
    if (UsesWinHelp(GetOsClass())) {
        Win32().WinHelpA(hWndDlg, appHelpPath.c_str(), HELP_CONTEXT, contextId);
        return;
    }
    // "file.chm::/page.htm" names one page inside the compiled file.
    const std::string topic = GetHelpFilePath(appHelpPath) + "::/" + page;
    htmlHelp.Call(hWndDlg, topic.c_str(), HH_DISPLAY_TOPIC, 0);
}
