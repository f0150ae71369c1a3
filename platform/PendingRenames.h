// The replacements the system carries out at the next restart
// (PendingFileRenameOperations, NT family): pairs of a source and a target,
// or an empty target for a deletion.
#pragma once

#include <functional>
#include <string>
#include <vector>

// One entry of the list, paths without the "\??\" prefix the system stores
// (and without the "!" of a replacing target).
struct PendingRename {
    std::string source;
    std::string target; // empty: the source is deleted
};

// The list as the system will carry it out; empty where it is missing
// (95/98/Me, nothing pending).
std::vector<PendingRename> PendingRenameList();

// Every path the pending list names, sources and targets alike.
std::vector<std::string> PendingRenamePaths();

// True when path is named in paths (names compare without regard to case).
bool IsNamedIn(const std::vector<std::string>& paths, const std::string& path);

// Writes the list back without the entries drop picks (the others keep their
// bytes and order). True when nothing was picked or the list was written.
bool DropPendingRenames(const std::function<bool(const PendingRename&)>& drop);
