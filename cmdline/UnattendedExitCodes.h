// The exit codes of an unattended run, as the README and the usage text list
// them. The numbers are what scripts and software-distribution tools test:
// never renumber one.
#pragma once

enum UnattendedExitCode {
    ExitDone = 0,               // everything done (also /? and /list)
    ExitBadCommandLine = 1,     // bad command line, or the /log file cannot be opened: nothing done
    ExitAlreadyRunning = 2,     // another copy runs (this user's or another user's): nothing done
    ExitNoPrinter = 3,          // no usable printer of a supported driver, or the printer is not one,
                                // has a blank at an end of its name, or is gone: nothing changed
    ExitNoSettings = 4,         // the tool settings file is missing, or the set is not in it
    ExitSourceMissing = 5,      // a file of the set is missing, no profile file or a source others may
                                // change, or two share a file name: nothing changed
    ExitNameRefused = 6,        // the new name is refused: nothing changed
    ExitNotRecorded = 7,        // the set could not be recorded (files may have been installed)
    ExitCopyFailed = 8,         // recorded, but a profile file could not be copied
    ExitRenameFailed = 9,       // recorded, but the rename was refused or the settings not moved
    ExitCheckFailed = 10,       // a check found something to mend, one line each (/check: a printer
                                // does not use the set as the apply leaves it; /sets); nothing changed
    ExitSpoolerFailed = 11,     // the print spooler did not give its printers (not started, no answer,
                                // no memory): nothing done
    ExitPrintersLeftOut = 12,   // /printer:*: done for the others, but printers were left out, each
                                // named in a line (cannot be opened for administration, gone, or no
                                // record of their own possible)
    ExitInternalError = 13,     // the run died of an internal error (out of memory, a fault of the tool's
                                // own), told in the log's last line: what was done before stays done
    ExitRestartRequired = 3010, // done, but a profile file in use is replaced at the next restart (the
                                // Windows code for "succeeded, restart required"); any failure's code wins
};
