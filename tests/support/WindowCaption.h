// A top-level window's caption as the system keeps it, read without sending
// the window a message: its thread may be busy outside any message loop (a
// modal loop starting, a tool process between steps) while a test looks.
#pragma once

#include <windows.h>

#include <string>

std::string CaptionOf(HWND window);
