// Every change an apply makes to the driver settings file, as one
// replacement of the whole file. The file is copied to a temporary file in
// its own folder, the change is made on the copy through the same profile
// functions the driver reads with (so case rules, trimming and layout are the
// profile functions' own), the copy is flushed and then replaces the file in
// one step (platform/FileReplace.h). A process ended at any instant leaves
// the file as it was or with the whole change, never a part of it.
//
// Another program may write the file meanwhile: if its size or last-write
// time changed between the copy and the replacement, the change starts over
// from a fresh copy (a few times at most), so that write is not lost.
// The file is never left to a restart: it is replaced now or not at all.
#pragma once

#include "settings/DriverINI.h"

#include <functional>

// Makes the change on a copy of the file (an empty one where the file does
// not exist yet); change returns false when a write of it failed. True when
// the file now holds the whole change; false when it is as it was, with error
// set to the system's reason (0 when there is none to give: another program
// kept changing the file).
bool ChangeDriverIni(const std::function<bool(CDriverINI& copy)>& change, DWORD& error);
