// The question the apply asks when a source file of a profile set cannot be
// found: the copy error dialog, where the user corrects the path, browses for
// another file or gives up.
#pragma once

#include <string>

class CWnd;

// Shows the copy error dialog once for path. True when the user retried:
// path is then the path to try. False when the user cancelled, or when the
// dialog could not be shown (the question cannot be asked, so it counts as a
// cancel rather than being asked again forever); path is then unchanged.
// pParentWnd owns the dialog; null lets the application's main window own it.
bool AskForSourceFile(CWnd* pParentWnd, std::string& path);
