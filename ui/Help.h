// Help of the main dialog: the help button, F1 over a control, closing the
// help windows when the dialog goes, and the version item of its system menu.
//
// Two help engines serve the platforms: the old Windows help engine with the
// .HLP file on Windows 95/98/Me and NT 4.0, which shows a pop-up topic per
// control, and HTML Help with the .chm file everywhere else, which opens the
// file at its default topic. Both files lie beside the executable and are
// named after it, so a copy of the program under another name looks for help
// of that name.
//
// The main dialog's handlers call one function each:
//   OnHelp:        OpenHelpContents(m_hWnd, AppHelpFilePath());
//   OnHelpInfo:    return ShowControlHelp(m_hWnd, pHelpInfo, AppHelpFilePath());
//   OnDestroy:     CloseHelpWindows(m_hWnd, AppHelpFilePath()); then the base's
//   OnSysCommand:  if (IsAboutBoxCommand(nID)) RunAboutDlg(); else the base's
#pragma once

#include "platform/HelpFile.h"

#include <windows.h>

#include <string>

// (control id, help context id) pairs for the old help engine's pop-ups, one
// per control of the main dialog, ended by (0, 0). Each label shares the
// context id of the control it names.
extern const DWORD HelpIdTable[];

// The system command is the version dialog's item of the system menu. The
// system uses the low four bits of a command id itself, so they are ignored.
bool IsAboutBoxCommand(UINT nID);

// F1 (WM_HELP) over a control of the dialog. The old engine shows the
// control's pop-up topic through HelpIdTable and its result is returned; HTML
// Help opens the file at its default topic whatever the control, and the
// result is TRUE.
BOOL ShowControlHelp(HWND hWndDlg, const HELPINFO* pHelpInfo, const std::string& appHelpPath,
                     CHtmlHelp& htmlHelp = TheHtmlHelp());

// The dialog is being destroyed: asks the old engine to quit for this help
// file, or closes every HTML Help window the program opened.
void CloseHelpWindows(HWND hWndDlg, const std::string& appHelpPath, CHtmlHelp& htmlHelp = TheHtmlHelp());
