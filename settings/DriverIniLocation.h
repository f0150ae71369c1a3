// Where the printer driver keeps PLOTA2.INI: the Windows directory on
// Windows 9x; on NT-based systems the system directory, or, while Terminal
// Services run, a folder of the user's own (under the system directory on
// NT 4.0, under the user's profile directory later).
#pragma once

#include "platform/OsClass.h"

#include <string>

extern const char kDriverIniName[]; // "PLOTA2.INI"

// The directories the location may be built from; only the ones the platform
// needs are filled in (see QueryDriverIniDirs).
struct DriverIniDirs {
    std::string windowsDir;
    std::string systemDir;
    std::string userFolderName; // NT 4.0 with Terminal Services
    std::string userProfileDir; // later systems with Terminal Services
};

// dir, one backslash unless dir already ends with one, relative. An empty dir
// gives a backslash followed by relative.
std::string JoinPath(const std::string& dir, const std::string& relative);

// The folder of the user's profile named by the application-data folder:
// C:\WINNT\Profiles\jdoe\Application Data gives jdoe.
std::string UserFolderFromAppData(const std::string& appDataDir);

// The full path of the file for a platform class and Terminal Services state.
std::string DriverIniPath(OsClass os, bool terminalServices, const DriverIniDirs& dirs);

// Asks the system for the directories DriverIniPath needs in that case.
DriverIniDirs QueryDriverIniDirs(OsClass os, bool terminalServices);

// The file's full path on this machine now, for this user: the file the
// driver reads and every apply writes.
std::string CurrentDriverIniPath();
