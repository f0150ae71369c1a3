// Machine conditions that Wine reproduces and a black-box test sets up from
// inside its own private prefix: the Windows version one program is told, and
// the Terminal Services service running.
#pragma once

#include "support/Uncopyable.h"

#include <string>

// Wine then reports that version to every program of that file name
// ("win98", "nt40", "winxp", "win10", ...); an empty version removes the
// setting, so the prefix's default (Windows 7) applies again.
bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version);

// The same setting for the lifetime of the object, removed afterwards.
class ScopedProgramWindowsVersion : Uncopyable {
public:
    ScopedProgramWindowsVersion(const std::string& exeName, const std::string& version)
        : m_exeName(exeName), m_set(SetProgramWindowsVersion(exeName, version))
    {
    }
    ~ScopedProgramWindowsVersion() { SetProgramWindowsVersion(m_exeName, std::string()); }

    bool set() const { return m_set; }

private:
    std::string m_exeName;
    bool m_set;
};

// Starts the "TermService" service and waits until it runs; true when it does.
bool StartTerminalServices();
