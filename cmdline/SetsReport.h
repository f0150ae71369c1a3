// /sets: the tool settings file checked before a rollout, with the checks
// the apply makes: one line per set with its four source paths as the apply
// would resolve them, and whether each exists and may be installed; then a
// line for every file name that two sets install from different sources
// (applying one set would silently change what the other set's printers
// print with, since the target folders hold one file per name).
#pragma once

#include "cmdline/RunOutput.h"
#include "cmdline/UnattendedExitCodes.h"
#include "settings/KPXSetupINI.h"

// ExitDone when every file of every set may be installed and no file name
// clashes, ExitCheckFailed otherwise, ExitNoSettings when the file names no
// set.
UnattendedExitCode RunSetsReport(const CKPXSetupINI& toolIni, CRunOutput& output);
