// What a start needs before it shows printers or changes anything, checked
// in one order for both faces: no other user's copy runs and this copy holds
// the instance mutex (only for what writes), a printer of a supported driver
// is there, the tool settings file is there. Each face maps where it stopped
// to its own message or exit code.
#pragma once

#include "printers/PrinterSnapshot.h"
#include "settings/ToolSettingsFile.h"

#include <windows.h>

enum StartupStop {
    StartupReady,
    StartupOtherUser,      // another user's copy runs
    StartupAlreadyRunning, // another copy holds the instance mutex
    StartupNoMutex,        // the mutex could not be made at all (error)
    StartupNoSpooler,      // the spooler did not give its printers (error)
    StartupNoPrinter,      // no usable printer of a supported driver
    StartupNoSettings,     // the tool settings file is missing
};

struct StartupNeeds {
    bool lock = true;     // the start may write: one copy at a time
    bool printer = true;  // a listed printer must be there
    bool settings = true; // the tool settings file must be there
};

// The checks in order, up to the first that fails. printers is taken (one
// enumeration serves the start and what follows); mutex receives the
// instance mutex, which the caller releases and closes (also set when
// another copy holds it); error is the system's reason for StartupNoMutex
// and StartupNoSpooler.
StartupStop CheckStartup(const StartupNeeds& needs, const CToolSettingsFile& toolFile, CPrinterSnapshot& printers,
                         HANDLE& mutex, DWORD& error);
