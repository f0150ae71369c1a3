// Whether printers use a set as an apply leaves it, without changing
// anything: the record of each printer names the set and the set's four file
// names, and each of the set's files, in the system directory and in the
// printer's driver directory, is byte for byte the set's source. What
// software distribution runs to detect that a rollout is in place.
#pragma once

#include "operation/ApplyOutcome.h"

#include <windows.h>

#include <string>
#include <vector>

class CPrinterSnapshot;

enum CheckDifference {
    CheckNoRecord,       // the printer records no set
    CheckOtherSet,       // it records another set (detail: its name)
    CheckFileName,       // a recorded file name is not the set's (detail: "Key=recorded (set's)")
    CheckFileMissing,    // a target is missing (detail: its path)
    CheckFileDiffers,    // a target is another file than the source (detail: its path)
    CheckFileUnreadable, // a target cannot be read (detail: its path; error: the reason)
};

struct CheckFinding {
    std::string printer;
    CheckDifference what;
    std::string detail;
    DWORD error = 0;
};

struct CheckOutcome {
    // ApplyCompleted when every printer was compared; ApplyUnrecordable or
    // ApplyPrinterGone when a printer named by name cannot be (stoppedAt), or
    // ApplyPrinterGone with no stoppedAt when every printer was skipped.
    ApplyStop stop = ApplyCompleted;
    std::string stoppedAt;
    std::vector<std::pair<std::string, ApplyStop>> skipped; // under skipUnusable, with why
    std::vector<CheckFinding> findings;                     // by printer, in the request's order
};

// Compares each printer of request (its setName and skipUnusable as for the
// apply; each looked up as the apply looks it up before it writes) with the
// set whose four source files are files (in the order of kProfileSlots).
CheckOutcome CheckProfileSet(const ApplyRequest& request, const CPrinterSnapshot& printers, const std::string files[4]);
