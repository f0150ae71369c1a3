// A top-level window that the tool's lookup of a running copy finds: the
// dialog class and the given caption (the application title for a match).
#pragma once

#include <windows.h>

#include <string>

HWND CreateRunningCopyWindow(const std::string& title);
