// The places a profile file is installed for a printer: the system
// directory, and the directory of the printer's driver files (not on
// Windows 9x, whose driver lives elsewhere and reads the system directory).
#pragma once

#include "printers/DriverDirectory.h"

#include <string>

// The system directory with its trailing backslash.
std::string SystemFolder();

// systemTarget: system directory, a backslash, the source's file name.
// driverTarget: driverDirectory (with its trailing backslash, as
// GetDriverDirectory gives it) and the file name; empty when driverDirectory
// is empty (it could not be had) or where the driver directory is no target.
void GetTargetPaths(const std::string& driverDirectory, const std::string& source, std::string& systemTarget,
                    std::string& driverTarget);

// A file that several kinds of a set share goes into its targets once, at
// its first slot: true when files[slot] is no earlier slot's file.
bool IsFirstSlotOfItsFile(const std::string files[4], int slot);

// The printer looked up just before its files are written or compared: it
// opens for administration under its name and its own record bears that
// name (a spooler may still open a renamed printer by its old name), and,
// where the driver directory is a target, that directory can be had (in
// driverDirectory, with its trailing backslash; asked through directories,
// once per driver of a run). False when it is gone.
// kept: a handle of the printer kept open since the listing, used instead of
// a second open (null: the printer is opened here).
bool LookUpPrinter(const std::string& printer, CDriverDirectories& directories, std::string& driverDirectory,
                   HANDLE kept = nullptr);
