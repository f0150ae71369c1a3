// The program's help file and the two engines that open it: the old Windows
// help engine with the .HLP file on Windows 95/98/Me and NT 4.0, HTML Help
// with the .chm file everywhere else. Both files lie beside the executable and
// are named after it, so a copy of the program under another name looks for
// help of that name. Both faces open the help through here: the main dialog
// at its default topic, the command line's usage box at the command-line
// topic.
#pragma once

#include "platform/HtmlHelp.h"
#include "platform/OsClass.h"

#include <windows.h>

#include <string>

// The application's help path as the class library set it from the
// executable's path (".HLP" for its extension); empty without an application
// object.
std::string AppHelpFilePath();

// The HTML help file: the application help path without its last four
// characters (".HLP"), then ".chm".
std::string GetHelpFilePath(const std::string& appHelpPath);

// The platform's help is the old engine's .HLP file, not HTML Help.
bool UsesWinHelp(OsClass os);

// The help button: opens the help file at its contents (old engine) or its
// default topic (HTML Help), by the current platform class.
void OpenHelpContents(HWND hWndDlg, const std::string& appHelpPath, CHtmlHelp& htmlHelp = TheHtmlHelp());

// Opens the help file at one topic: the old engine by the topic's context id,
// HTML Help by its page in the file ("cmdline.htm").
void OpenHelpTopic(HWND hWndDlg, const std::string& appHelpPath, DWORD contextId, const char* page,
                   CHtmlHelp& htmlHelp = TheHtmlHelp());
