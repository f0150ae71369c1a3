// The one check of a new printer name. The apply runs it before it asks or
// writes anything, so that no name passes that one of the rules refuses;
// each face maps the verdict in the apply's outcome to its own text or exit
// code.
#pragma once

#include <string>

class CPrinterSnapshot;

enum NewNameVerdict {
    NewNameUnchanged,        // the printer keeps its name: nothing to check
    NewNameAccepted,         // the printer may be renamed to it
    NewNameEmpty,            // no name given
    NewNameBlankEdge,        // a blank at an end would share the section of another printer
    NewNameInUse,            // a printer the spooler knows bears it, compared without case
    NewNameBadChars,         // holds a character the running Windows refuses in a printer name
    NewNameTooLong,          // longer than the running Windows takes
    NewNameRenameNotAllowed, // the printer is shared or a connection
};

// newName for the printer now called printer, against every printer of the
// snapshot (of every driver, usable or not: a printer the user cannot open
// still holds its name). The characters and length are those of the
// running Windows version; the rename permission is asked of the spooler.
NewNameVerdict CheckNewName(const CPrinterSnapshot& printers, const std::string& newName, const std::string& printer);

// True for the two verdicts that let an apply go on.
inline bool NewNamePasses(NewNameVerdict verdict)
{
    return verdict == NewNameUnchanged || verdict == NewNameAccepted;
}
