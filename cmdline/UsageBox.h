// The usage box: the command line's usage shown when nobody reads the output.
// A dialog rather than a message box: the whole usage is taller than a
// 1024 x 768 screen, and a message box grows with its text until its caption
// and button are off the screen. Here the text scrolls in a read-only edit of
// a fixed size, and a help button opens the help file's command-line topic.
// A bad command line's box closes itself when nobody may be at the screen (a
// startup script under the system account): without that the run would wait
// for a click until the script's own time-out.
#pragma once

#include "platform/HtmlHelp.h"

#include <windows.h>

#include <string>

// How long the usage box of a bad command line stays up.
const DWORD kUsageBoxMs = 30000;

// The help file's page and context id of the command line, which the box's
// help button opens.
extern const char kCommandLineHelpPage[];

// Shows text in the usage box with the application's caption. With
// closeAfterMs the box closes itself after that long unless someone has asked
// for help in it first (someone is there, and the help window goes with the
// box); 0 waits for the click. IDOK when it closed, -1 when it could not be
// shown.
INT_PTR ShowUsageBox(const std::string& text, DWORD closeAfterMs, CHtmlHelp& htmlHelp = TheHtmlHelp());
