// The two places one profile file is installed for a printer: the system
// directory, and the directory of the printer's driver files (not on
// Windows 9x, whose driver lives elsewhere and reads the system directory).
#pragma once

#include <string>

// systemTarget: system directory, a backslash, the source's file name.
// driverTarget: driverDirectory (with its trailing backslash, as
// GetDriverDirectory gives it) and the file name; empty when driverDirectory
// is empty (it could not be had) or on Windows 9x.
void GetTargetPaths(const std::string& driverDirectory, const std::string& source, std::string& systemTarget,
                    std::string& driverTarget);

// A file that several kinds of a set share goes into its targets once, at
// its first slot: true when files[slot] is no earlier slot's file.
bool IsFirstSlotOfItsFile(const std::string files[4], int slot);
