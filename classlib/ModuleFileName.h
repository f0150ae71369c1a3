// The full path of a loaded module (the executable for null), as the system
// reports it in the ANSI code page.
#pragma once

#include <windows.h>

#include <string>

// At most MAX_PATH - 1 characters; empty when the query fails. XP and older
// fill the whole buffer without a terminating zero when the path does not
// fit, so the length comes from the call's result, never from a zero byte.
std::string ModuleFileName(HMODULE module);
