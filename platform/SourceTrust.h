// Whether a source file can be trusted by a run with administrator rights
// (often the system account's) that copies it into the system's folders:
// only when no one but administrators can change what it holds. Whoever may
// write the file, or its folder (and so replace the file), or who made a
// name on its path a link, would choose what the elevated run installs.
#pragma once

#include <windows.h>

#include <string>

// The groups of non-administrators an access list is looked at for.
enum WriterGroup {
    WritersNone,               // none of them may write
    WritersEveryone,           // S-1-1-0 (also a NULL access list: no restriction at all)
    WritersUsers,              // S-1-5-32-545
    WritersAuthenticatedUsers, // S-1-5-11
    WritersInteractive,        // S-1-5-4
    WritersUntold,             // the security descriptor cannot be read as one
};

// The group named in descriptor's access list (DACL) that an allowing entry
// grants a right to change the object: for a file FILE_WRITE_DATA,
// FILE_APPEND_DATA, WRITE_DAC, WRITE_OWNER, DELETE, GENERIC_WRITE or
// GENERIC_ALL; for a folder also FILE_ADD_FILE, FILE_ADD_SUBDIRECTORY and
// FILE_DELETE_CHILD. Entries that only pass down to the folder's contents
// (inherit-only) do not count. descriptor is self-relative, as the system
// gives it, of size bytes. Deny entries are not weighed: an allowed write is
// refused even where a deny entry would cancel it.
WriterGroup GroupThatMayWrite(const void* descriptor, size_t size, bool folder);

// The group's name as Windows shows it in English ("Everyone"); empty for
// WritersNone and WritersUntold.
const char* WriterGroupName(WriterGroup group);

enum SourceTrustFault {
    SourceTrusted,
    SourceOthersMayWrite,     // an access list lets group write (at where)
    SourceIsLink,             // where (the file or a folder on its path) is a link
    SourceSecurityUnreadable, // where's access list cannot be read (error)
};

struct SourceTrust {
    SourceTrustFault fault = SourceTrusted;
    std::string where;   // the file or the folder at fault, as a full path
    bool folder = false; // where is a folder on the file's path, not the file
    WriterGroup group = WritersNone;
    DWORD error = 0;
};

// Whether the source file at path (which exists) can be trusted: refused
// when the file or any folder on its path below the drive or share is a
// link (a reparse point), or when the access list of the file or of its
// folder lets Everyone, Users, Authenticated Users or Interactive write. On
// 95/98/Me, which keep no access lists, only links count (they have none).
// A share's folder is judged by the access list its server reports.
SourceTrust CheckSourceTrust(const std::string& path);

// The flags every open of a source file adds: on the NT family an
// impersonation level of identification only (SECURITY_SQOS_PRESENT |
// SECURITY_IDENTIFICATION), so that a named pipe in a source's place learns
// who opened it but cannot act as that account; none on 95/98/Me.
DWORD SourceOpenFlags();
