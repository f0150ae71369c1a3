// The replacements the system carries out at the next restart
// (PendingFileRenameOperations, NT family): pairs of a source and a target,
// or an empty target for a deletion. Other programs keep their entries in
// the same list: this tool reads all of them and changes only its own.
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

// Writes the list back without the entries drop picks: every other byte of
// the value stays as read, other programs' entries with it, whatever their
// characters (the value is read and written as the system stores it, in
// UTF-16; a path the system code page cannot hold is never picked). The
// list is read again just before the write, and the decision made again
// when another program changed it meanwhile. True when nothing was picked
// or the list was written; dropped, when given, gets the entries written
// away.
bool DropPendingRenames(const std::function<bool(const PendingRename&)>& drop,
                        std::vector<PendingRename>* dropped = nullptr);
