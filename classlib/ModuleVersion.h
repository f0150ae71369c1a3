// The version a module's version resource gives it (FILEVERSION), read from
// the module's own resources: no version library is needed to tell it.
#pragma once

#include <windows.h>
#include <string>

// "1.0.0.0" for the executable when module is null; empty when the module
// has no version resource.
std::string ModuleVersionText(HMODULE module);
