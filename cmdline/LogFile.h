// The /log file: opened for appending only when it is a plain file of a disk
// under one name, its lines appended so that several writers (machines
// logging into one file on a share) never overwrite each other, and rolled
// over to one older generation once it has grown past a limit.
//
// The tool runs elevated, often as the system account. A log path in a
// folder others can write could be made a symbolic link, a junction or a
// second name (hard link) of a system file, or name a device or a pipe; an
// append would then write into whatever it leads to. Such a path is refused.
#pragma once

#include "classlib/Handle.h"

#include <windows.h>

#include <string>

// Past this size (1 MB, about 5,000 framed runs of one printer) the log is
// renamed to its older generation before a run appends to it.
const ULONGLONG kLogRollOverSize = 1024 * 1024;

// Why a log path that opened is refused: codes of the program's own (the
// customer bit set, so that no system code is taken for them).
const DWORD kLogIsLink = 0x20000001;       // a symbolic link, a junction, or a file of several names
const DWORD kLogIsNoDiskFile = 0x20000002; // a device, a pipe

class CLogFile {
public:
    // Opens path for appending, creating it, and the folders it needs
    // (MakeFoldersFor), when missing. When it has grown
    // to kLogRollOverSize or past it, it is first renamed to its older
    // generation, the path with ".1" added (kpxsetup.log -> kpxsetup.log.1,
    // an older one replaced) and a new file begins; while another
    // writer holds it open the rename cannot be made, and this run appends to
    // it all the same (the next run rolls it over). 0, or the reason it cannot
    // be used: the system's, kLogIsLink or kLogIsNoDiskFile.
    DWORD Open(const std::string& path);

    bool IsOpen() const { return m_file.IsValid(); }
    // The size now, all 64 bits; 0 when it cannot be had.
    ULONGLONG Size() const;
    // Writes bytes at the end in one write, which no other writer's write
    // can come between (Windows NT and later; 95/98/Me seek to the end first).
    void Append(const std::string& bytes) const;

private:
    DWORD OpenChecked(const std::string& path);

    CFileHandle m_file;
    bool m_seekToEnd = false; // 95/98/Me: no append-only access
};
