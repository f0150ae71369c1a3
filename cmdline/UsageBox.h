// A message box that closes itself: the usage shown for a bad command line
// when nobody may be at the screen (a startup script under the system
// account). Without it the run would wait for a click until the script's
// own time-out; with it the run goes on with its exit code.
#pragma once

#include <windows.h>
#include <string>

// How long the usage box of a bad command line stays up.
const DWORD kUsageBoxMs = 30000;

// Shows text in a message box of type with the application's caption, as
// AfxMessageBox does, and closes it after closeAfterMs if nobody has. The
// box's result; IDOK when it closed itself.
int SelfClosingMessageBox(const std::string& text, UINT type, DWORD closeAfterMs);
