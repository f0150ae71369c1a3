// The two places one profile file is installed for a printer: the system
// directory, and the directory of the printer's driver files (not on
// Windows 9x, whose driver lives elsewhere and reads the system directory).
#pragma once

#include <string>

// systemTarget: system directory, a backslash, the source's file name.
// driverTarget: driver directory and the file name; empty when the driver
// directory cannot be had (the printer does not open for administration, its
// driver record cannot be read) or on Windows 9x.
void GetTargetPaths(const std::string& printer, const std::string& source,
                    std::string& systemTarget, std::string& driverTarget);
