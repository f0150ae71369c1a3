// The rules a new printer name must meet before the tool asks the spooler
// for it: the characters the running Windows version's spooler does not take,
// the most bytes it takes, and the check against the names it already knows.
// Shared by the main dialog's name edit and the command line.
#pragma once

#include "platform/OsClass.h"

#include <string>

class CPrnInfoList;

// False for a character that a printer name may not hold on that platform
// class. Every other value, control characters such as backspace included,
// is allowed (the edit passes them to its own editing).
bool IsAllowedPrinterNameChar(OsClass os, int ch);

// The most bytes a printer name may have on that platform class (a
// double-byte character counts as two).
unsigned PrinterNameLimit(OsClass os);

// True when the 8-bit text of the system code page holds no refused
// character. The byte after a lead byte is the trail byte of the same
// character and is never tested (in code page 932 it may be 0x5C, the
// backslash).
bool HasOnlyAllowedPrinterNameChars(OsClass os, const std::string& text);

// False for a printer name that cannot have a section of its own: the
// profile functions drop blanks at the ends of a section name, so "Alpha "
// would read and write the section of "Alpha".
bool IsRecordablePrinterName(const std::string& printer);

// The check before an apply renames a printer.
enum PrinterNameCheck {
    PrinterNameAccepted,
    PrinterNameEmpty,
    PrinterNameInUse,   // a printer of the snapshot bears it, compared without case
};

// newName for the printer now called oldName, against the first count
// records of printers. An unchanged name needs no search; any other name,
// also the printer's own in other letters, must not be one the spooler
// already knows (it compares printer names without regard to case).
PrinterNameCheck CheckNewPrinterName(const CPrnInfoList& printers, unsigned count,
                                     const std::string& newName, const std::string& oldName);
