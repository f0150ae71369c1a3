// Where a printer's driver keeps its files, asked of the spooler.
#pragma once

#include <windows.h>
#include <string>

// The printer driver's directory with its trailing backslash, from its
// level-2 driver record; empty when it cannot be had. Under WOW64 it is the
// directory of the driver of the machine's own environment (x64 or ARM64),
// which the spooler runs, and that of the 32-bit driver only when the printer
// has no native one.
std::string GetDriverDirectory(HANDLE printer);
// The same for the printer of that name, opened for administration.
std::string GetDriverDirectory(const std::string& printer);
