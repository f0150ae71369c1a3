// Where a printer's driver keeps its files, asked of the spooler.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// The printer driver's directory with its trailing backslash, from its
// level-2 driver record; empty when it cannot be had. Under WOW64 it is the
// directory of the driver of the machine's own environment (x64 or ARM64),
// which the spooler runs, and that of the 32-bit driver only when the printer
// has no native one.
std::string GetDriverDirectory(HANDLE printer);

// The driver directories of the printers of one run, asked of the spooler
// once per driver: the directory (and under WOW64 the environment it is
// taken from) depends on the driver alone, which every printer of that
// driver shares. A run over thousands of printers of one driver thus reads
// one driver record, not one per printer.
class CDriverDirectories {
public:
    // GetDriverDirectory(printer) for the open printer whose record names
    // driverName; an empty driverName (the record could not be read) is
    // asked of the spooler each time. An empty answer is not kept.
    std::string For(HANDLE printer, const std::string& driverName);

private:
    std::map<std::string, std::string> m_known; // driver name -> directory
};
