// Puts 8-bit text (code page bytes) on the clipboard as CF_TEXT, as another
// program's copy would; false when the clipboard could not be opened.
#pragma once

#include <windows.h>

#include <string>

bool PutClipboardText(HWND owner, const std::string& bytes);
