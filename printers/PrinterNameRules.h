// The rules a new printer name must meet before the tool asks the spooler
// for it: the characters the running Windows version's spooler does not take,
// the most bytes it takes, and the blanks that a name may not have at its ends.
// Shared by the main dialog's name edit and the apply's name check.
#pragma once

#include "platform/OsClass.h"

#include <string>

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
