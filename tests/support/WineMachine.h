// Machine conditions that Wine reproduces and a black-box test sets up from
// inside its own private prefix: the Windows version one program is told, and
// the Terminal Services service running.
#pragma once

#include <string>

// Wine then reports that version to every program of that file name
// ("win98", "nt40", "winxp", "win10", ...); an empty version removes the
// setting, so the prefix's default (Windows 7) applies again.
bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version);

// Starts the "TermService" service and waits until it runs; true when it does.
bool StartTerminalServices();
