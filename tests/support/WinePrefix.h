// Where things lie on the machine of the Wine prefix a test runs in. The
// places an apply writes are named as the tool (a 32-bit program) names them
// in its lines and as a 32-bit test opens them; a file of drive C: is also
// seen from the host side through drive Z:, so that a test can look past
// WOW64 redirection: the prefix's drive_c/windows/system32 is the native
// system directory, syswow64 the one a 32-bit program is redirected to.
#pragma once

#include <string>
#include <vector>

// "Z:\...\<prefix>\<relative>" (relative with backslashes, e.g.
// "drive_c\\windows\\system32\\x.kpx"); empty when WINEPREFIX is not set.
std::string PrefixPath(const std::string& relative);
// A path of drive C: ("C:\windows\...") as the host sees it.
std::string OnHost(const std::string& windowsPath);

// A file of the native system directory (drive_c\windows\system32) and of
// the one 32-bit programs are redirected to (drive_c\windows\syswow64).
std::string NativeSystemFile(const std::string& name);
std::string RedirectedSystemFile(const std::string& name);

// A file of the printer driver directory of version-3 drivers for the
// environment, as the spooler names it: null is this program's own
// ("C:\windows\system32\spool\drivers\w32x86\3\<name>"), "Windows x64" the
// 64-bit drivers' (...\x64\3\<name>). With an empty name, the folder with
// its closing backslash.
std::string DriverDirectoryFile(const std::string& name, const char* environment = nullptr);
// Where an apply on Windows 2000 and later installs a profile file: in the
// system directory, then in the driver directory of the printer's driver
// (this program's environment), in that order.
std::vector<std::string> ProfileCopies(const std::string& name);
// PLOTA2.INI in the system directory, where the driver reads it while
// Terminal Services are stopped; while they run, the driver reads it from
// this folder in the user's profile, which nobody makes.
std::string DriverIniFile();
std::string UserDriverIniFolder();
