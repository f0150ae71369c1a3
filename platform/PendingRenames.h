// The replacements the system carries out at the next restart
// (PendingFileRenameOperations, NT family): pairs of a source and a target,
// or an empty target for a deletion.
#pragma once

#include <string>
#include <vector>

// Every path the pending list names, sources and targets alike, without the
// "\??\" prefix the system stores (and without the "!" of a replacing
// target). Empty where the list is missing (95/98/Me, nothing pending).
std::vector<std::string> PendingRenamePaths();

// True when path is named in paths (names compare without regard to case).
bool IsNamedIn(const std::vector<std::string>& paths, const std::string& path);
