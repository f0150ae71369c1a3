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
// replacement names. On 95/98/Me, where no rename replaces a file, the old
// target steps aside for a moment under its own name followed by ".~kpx",
// sixteen hexadecimal digits that mark the new file's content, and ".old";
// a run that finds such a backup with its target missing puts it back, and
// deletes it only beside a target of the content it marks.
//
// Every call takes governed: while it is true, WOW64 file-system redirection
// is switched off around each file call (see FsRedirection.h), so the
// temporary file lies where the target lies.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// True when fileName (no folder) has the temporary-file pattern exactly.
bool IsReplaceTempName(const std::string& fileName);

// Tidies folder after a run ended half-way: puts back each backup whose
// target is missing, deletes each one beside the finished replacement it
// marks (and leaves the others, which may hold the only copy of a file
// replaced while a file took the target's name), then removes every temporary
// file that no pending restart replacement names. 0, or the system's reason
// why a backup could not be put back (it stays for the next run).
DWORD RecoverLeftovers(bool governed, const std::string& folder);

// The same for one target alone: its backup goes back when the target is
// missing. 0, or the system's reason why it could not.
DWORD RecoverBackupOf(bool governed, const std::string& target);

// Copies source to a new temporary file in folder and flushes it; the
// temporary file's path in temp. The source is read through one handle,
// opened as every source is (platform/SourceTrust.h: a named pipe in its
// place cannot act as this account); the copy keeps its last-write time, not
// its attributes. An empty source makes an empty file. False, with the
// system's reason as the last error, when it cannot be written (no temporary
// file is left then).
bool WriteTempCopy(bool governed, const std::string& source, const std::string& folder, std::string& temp);

// Writes the pieces one after another to a new temporary file in folder and
// flushes it, through one handle; the temporary file's path in temp. False,
// with the system's reason as the last error, when it cannot be written (no
// temporary file is left then).
bool WriteTempBytes(bool governed, const std::string& folder, const std::vector<std::string_view>& pieces,
                    std::string& temp);

// Writes the file's buffers to the disk; false when the file cannot be opened
// for writing or the flush fails.
bool FlushFileToDisk(bool governed, const std::string& path);

// Deletes a temporary file, clearing read-only first.
void RemoveTemp(bool governed, const std::string& temp);

// Puts temp in place of target in one step and returns 0, or the system's
// reason why not, with temp and target as they were (a failed replacement
// never loses the old target). An existing target's access list (NT) and
// attributes are put on temp first, then temp is renamed over the target
// (MoveFileExA, write-through): the target's name holds the old file or the
// new one at every instant. On 95/98/Me the old target is renamed to its
// backup name, temp to the target's name, and the backup deleted; should
// temp not take the name, the old target goes back, or, when a file took the
// name meanwhile, stays under its backup name. A
// replacement at the restart still waiting for the same target is taken back.
DWORD ReplaceWithTemp(bool governed, const std::string& temp, const std::string& target);

// True when a replacement of target that failed with error failed because
// another program holds the file (shares it not, locks it, or maps it), not
// because its permissions refuse the write.
bool IsInUse(bool governed, DWORD error, const std::string& target);

// Takes back the replacements of target still waiting for the restart,
// except the one whose source is keep (empty: all), deleting their
// temporary files, and a deletion of target waiting for it: the file now in
// place, or the one scheduled last, is the one that counts.
void ForgetEarlierRestartReplacements(bool governed, const std::string& target, const std::string& keep);

// Deletes target now (read-only cleared) and returns 0, or the system's
// reason why not. Replacements of it waiting for the restart are taken back
// with their temporary files, so that it does not come back then.
DWORD DeleteNow(bool governed, const std::string& target);

// Has target deleted at the next restart (NT family, with the rights to
// write the pending renames), taking back the replacements of it still
// waiting. False when it cannot be scheduled.
bool DeleteAtRestart(bool governed, const std::string& target);

// Has temp put in place of target at the next restart (NT family, with the
// rights to write the pending replacements), with the target's access list;
// an earlier restart replacement of the same target is taken back with its
// temporary file. False when it cannot be scheduled.
bool ReplaceAtRestart(bool governed, const std::string& temp, const std::string& target);
