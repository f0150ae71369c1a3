// Replacing a file whole or not at all. The new content is first written to
// a temporary file in the target's own folder and flushed to the disk; the
// target is then replaced by it in one step (a rename within one volume), so
// that a process ended at any instant leaves the old file or the new one,
// never a torn one. A target that another program holds can instead be
// replaced at the next restart.
//
// Temporary files of this tool have one name pattern, "~kpx" followed by
// eight hexadecimal digits and ".tmp"; a run removes leftovers of a killed
// earlier run that match it exactly, but never one that a pending restart
// replacement names.
//
// Every call takes governed: while it is true, WOW64 file-system redirection
// is switched off around each file call (see FsRedirection.h), so the
// temporary file lies where the target lies.
#pragma once

#include <windows.h>
#include <string>

// True when fileName (no folder) has the temporary-file pattern exactly.
bool IsReplaceTempName(const std::string& fileName);

// Removes every file of the pattern in folder that no pending restart
// replacement names.
void RemoveLeftoverTemps(bool governed, const std::string& folder);

// Copies source to a new temporary file in folder and flushes it; the
// temporary file's path in temp. An empty source makes an empty file. False,
// with the system's reason as the last error, when it cannot be written (no
// temporary file is left then).
bool WriteTempCopy(bool governed, const std::string& source, const std::string& folder, std::string& temp);

// Writes the file's buffers to the disk; false when the file cannot be opened
// for writing or the flush fails.
bool FlushFileToDisk(bool governed, const std::string& path);

// Deletes a temporary file, clearing read-only first.
void RemoveTemp(bool governed, const std::string& temp);

// Puts temp in place of target in one step and returns 0, or the system's
// reason why not, with temp and target as they were (a failed replacement
// never loses the old target).
//   Windows 2000 and later: ReplaceFileA with a backup name (the replaced
//     file keeps its security descriptor), the backup deleted afterwards.
//   NT 4.0: the target's permissions copied onto temp, then MoveFileExA.
//   A missing target: MoveFileExA.
//   95/98/Me: there is no replacing rename. The target is deleted and temp
//     renamed to it: between the two the target is missing (temp holds the
//     whole new content under its own name). This is the one window in which
//     "old or new, whole" cannot hold.
DWORD ReplaceWithTemp(bool governed, const std::string& temp, const std::string& target);

// True when a replacement failed because another program holds the target.
bool IsHeldError(DWORD error);

// Has temp put in place of target at the next restart (NT family, with the
// rights to write the pending replacements); false otherwise.
bool ReplaceAtRestart(bool governed, const std::string& temp, const std::string& target);
