// Makes sure that one source file of a profile set exists before anything is
// copied, asking the user with the copy error dialog until it does.
#pragma once

#include <string>

#include <windows.h>

class CWnd;

// True when path names a file that can be opened for reading (FileExists),
// at once or after the user corrected it in the copy error dialog: path is
// then replaced by the path the user retried with. False when the user
// cancelled, or when the dialog could not be shown (the question cannot be
// asked, so it counts as a cancel rather than being asked again forever);
// path then keeps the value it had when that showing began.
// pParentWnd owns the dialog; null lets the application's main window own it.
BOOL ConfirmSourceFile(CWnd* pParentWnd, std::string& path);
