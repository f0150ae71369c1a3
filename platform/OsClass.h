// Classification of the Windows version the program runs on. Several
// decisions depend on it: the single-instance mutex, where the driver
// settings file lives, which printer names are allowed, whether the driver
// directory receives profiles, and the help engine.
#pragma once

#include <windows.h>

// Each server class is its workstation class plus one.
enum OsClass {
    OsUnknown = 0, // any version not listed, and a failed version query
    OsWin9x = 1,   // Windows 95/98/Me (platform 1, major 4)
    OsNT4 = 2,     // NT 4.0
    Os2000 = 3,    // NT 5.0
    OsXP = 4,      // NT 5.1
    Os2003 = 5,    // NT 5.2, workstation editions included
    OsVista = 6,   // NT 6.0 workstation
    Os2008 = 7,    // NT 6.0 server
    Os7 = 8,       // NT 6.1 workstation
    Os2008R2 = 9,  // NT 6.1 server
    Os81 = 10,     // NT 6.3 workstation
    Os2012R2 = 11, // NT 6.3 server
};

// The class of a version record's platform id, major and minor version and
// product type (VER_NT_WORKSTATION, anything else counts as server).
OsClass ClassifyVersion(DWORD platformId, DWORD major, DWORD minor, BYTE productType);

// The class of the version the system reports to this program now. Nothing is
// cached: every caller asks afresh.
OsClass GetOsClass();
