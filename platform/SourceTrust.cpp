#include "platform/SourceTrust.h"

#include "classlib/Handle.h"
#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/OsClass.h"

#include <cstring>
#include <vector>

namespace {

// The rights that change a file, its access list or its owner, or remove it.
const DWORD kFileWrites =
    FILE_WRITE_DATA | FILE_APPEND_DATA | WRITE_DAC | WRITE_OWNER | DELETE | GENERIC_WRITE | GENERIC_ALL;
// A folder's: those, and adding or removing its entries (FILE_ADD_FILE and
// FILE_ADD_SUBDIRECTORY are the bits of FILE_WRITE_DATA and FILE_APPEND_DATA).
const DWORD kFolderWrites = kFileWrites | FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD;

// A well-known account of non-administrators: its identifier authority (the
// last byte of six; the others are 0) and its subauthorities.
struct OthersSid {
    WriterGroup group;
    BYTE authority;
    BYTE count;
    DWORD sub[2];
};
const OthersSid kOthers[] = {
    {WritersEveryone, 1, 1, {0, 0}},            // S-1-1-0
    {WritersUsers, 5, 2, {32, 545}},            // S-1-5-32-545
    {WritersAuthenticatedUsers, 5, 1, {11, 0}}, // S-1-5-11
    {WritersInteractive, 5, 1, {4, 0}},         // S-1-5-4
};

// The descriptor is read as bytes, field by field: the system gives it
// self-relative (offsets, not pointers), and nothing in it need be aligned.
template <class T>
bool ReadAt(const BYTE* data, size_t size, size_t offset, T& value)
{
    if (offset > size || size - offset < sizeof value)
        return false;
    std::memcpy(&value, data + offset, sizeof value);
    return true;
}

// Which of the groups the SID of length bytes at sid is; WritersNone for any
// other account.
WriterGroup OthersGroup(const BYTE* sid, size_t length)
{
    if (length < 8)
        return WritersNone;
    const BYTE count = sid[1];
    if (length < 8 + 4u * count)
        return WritersNone;
    for (const OthersSid& known : kOthers) {
        if (sid[0] != SID_REVISION || count != known.count || sid[7] != known.authority)
            continue;
        bool same = sid[2] == 0 && sid[3] == 0 && sid[4] == 0 && sid[5] == 0 && sid[6] == 0;
        for (BYTE i = 0; same && i < count; ++i) {
            DWORD sub = 0;
            std::memcpy(&sub, sid + 8 + 4 * i, sizeof sub);
            same = sub == known.sub[i];
        }
        if (same)
            return known.group;
    }
    return WritersNone;
}

// An allowing entry: ACCESS_ALLOWED_ACE, or its conditional form, which
// has the same layout (and may grant what it names).
bool IsAllowingEntry(BYTE type)
{
    return type == ACCESS_ALLOWED_ACE_TYPE || type == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
}

WriterGroup GroupInAcl(const BYTE* data, size_t size, size_t at, DWORD writes)
{
    WORD aclSize = 0, count = 0;
    if (!ReadAt(data, size, at + 2, aclSize) || !ReadAt(data, size, at + 4, count) || aclSize < 8 ||
        aclSize > size - at)
        return WritersUntold;
    const size_t end = at + aclSize;
    size_t entry = at + 8;
    for (WORD i = 0; i < count; ++i) {
        BYTE type = 0, flags = 0;
        WORD entrySize = 0;
        DWORD mask = 0;
        if (!ReadAt(data, end, entry, type) || !ReadAt(data, end, entry + 1, flags) ||
            !ReadAt(data, end, entry + 2, entrySize) || entrySize < 4 || entrySize > end - entry)
            return WritersUntold;
        if (IsAllowingEntry(type) && !(flags & INHERIT_ONLY_ACE) && ReadAt(data, entry + entrySize, entry + 4, mask) &&
            (mask & writes) != 0) {
            const WriterGroup group = OthersGroup(data + entry + 8, entrySize > 8 ? entrySize - 8 : 0);
            if (group != WritersNone)
                return group;
        }
        entry += entrySize;
    }
    return WritersNone;
}

// path made full (a relative one from the current folder, "." and ".."
// resolved); false with the system's reason as the last error.
bool FullPath(const std::string& path, std::string& full)
{
    char buffer[MAX_PATH];
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path.c_str(), sizeof buffer, buffer, &name);
    if (length == 0)
        return false;
    if (length >= sizeof buffer) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    full = buffer;
    return true;
}

// The root a full path's folders hang below: a drive ("C:") or a share
// ("\\server\share"), also behind the "\\?\" and "\\.\" prefixes.
bool IsRoot(const std::string& folder)
{
    std::string rest = folder;
    if (rest.compare(0, 4, "\\\\?\\") == 0 || rest.compare(0, 4, "\\\\.\\") == 0) {
        rest = rest.substr(4);
        if (MbCompareNoCase(rest.substr(0, 4), "UNC\\") == 0)
            rest = "\\\\" + rest.substr(4);
    }
    if (rest.size() == 2 && rest[1] == ':')
        return true;
    return rest.compare(0, 2, "\\\\") == 0 && DirectoryPart(DirectoryPart(rest)) == "\\";
}

// Opened to read its access list, without following a link where the system
// has them (2000 on; NT 4.0 has none to follow), for identification only.
CFileHandle OpenForSecurity(const std::string& path, bool folder)
{
    const OsClass os = GetOsClass();
    const DWORD noFollow = os == OsNT4 ? 0 : FILE_FLAG_OPEN_REPARSE_POINT;
    return CFileHandle(Win32().CreateFileA(
        path.c_str(), READ_CONTROL, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        noFollow | SourceOpenFlags() | (folder ? FILE_FLAG_BACKUP_SEMANTICS : 0), nullptr));
}

// The access list of path judged: trust.fault set when it lets others write
// or cannot be read.
bool AccessListRefuses(const std::string& path, bool folder, SourceTrust& trust)
{
    const auto unreadable = [&](DWORD error) {
        trust.fault = SourceSecurityUnreadable;
        trust.where = path;
        trust.folder = folder;
        trust.error = error;
        return true;
    };
    if (!Win32().GetKernelObjectSecurity)
        return unreadable(ERROR_CALL_NOT_IMPLEMENTED);
    const CFileHandle object = OpenForSecurity(path, folder);
    if (!object.IsValid())
        return unreadable(::GetLastError());
    DWORD needed = 0;
    Win32().GetKernelObjectSecurity(object.Get(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    std::vector<BYTE> descriptor(needed);
    if (needed == 0 ||
        !Win32().GetKernelObjectSecurity(object.Get(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed))
        return unreadable(::GetLastError());
    const WriterGroup group = GroupThatMayWrite(descriptor.data(), descriptor.size(), folder);
    if (group == WritersUntold)
        return unreadable(ERROR_INVALID_SECURITY_DESCR);
    if (group == WritersNone)
        return false;
    trust.fault = SourceOthersMayWrite;
    trust.where = path;
    trust.folder = folder;
    trust.group = group;
    return true;
}

} // namespace

WriterGroup GroupThatMayWrite(const void* descriptor, size_t size, bool folder)
{
    const BYTE* data = static_cast<const BYTE*>(descriptor);
    BYTE revision = 0;
    WORD control = 0;
    DWORD dacl = 0;
    if (!ReadAt(data, size, 0, revision) || !ReadAt(data, size, 2, control) || !ReadAt(data, size, 16, dacl) ||
        revision != SECURITY_DESCRIPTOR_REVISION || !(control & SE_SELF_RELATIVE))
        return WritersUntold;
    // Without an access list, or with a NULL one, the object grants everyone
    // everything (a FAT volume's files, for one).
    if (!(control & SE_DACL_PRESENT) || dacl == 0)
        return WritersEveryone;
    return GroupInAcl(data, size, dacl, folder ? kFolderWrites : kFileWrites);
}

const char* WriterGroupName(WriterGroup group)
{
    switch (group) {
    case WritersEveryone:
        return "Everyone";
    case WritersUsers:
        return "Users";
    case WritersAuthenticatedUsers:
        return "Authenticated Users";
    case WritersInteractive:
        return "INTERACTIVE";
    case WritersNone:
    case WritersUntold:
        break;
    }
    return "";
}

SourceTrust CheckSourceTrust(const std::string& path)
{
    SourceTrust trust;
    std::string full;
    if (!FullPath(path, full)) {
        trust.fault = SourceSecurityUnreadable;
        trust.where = path;
        trust.error = ::GetLastError();
        return trust;
    }
    // The file and each folder above it, nearest first, down to the root:
    // a link anywhere lets whoever made it choose what lies behind it.
    std::vector<std::string> chain{full};
    for (std::string folder = DirectoryPart(full); folder.size() < chain.back().size() && !IsRoot(folder);
         folder = DirectoryPart(folder))
        chain.push_back(folder);
    for (size_t i = chain.size(); i-- > 0;) {
        const DWORD attributes = ::GetFileAttributesA(chain[i].c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            trust.fault = attributes == INVALID_FILE_ATTRIBUTES ? SourceSecurityUnreadable : SourceIsLink;
            trust.error = attributes == INVALID_FILE_ATTRIBUTES ? ::GetLastError() : 0;
            trust.where = chain[i];
            trust.folder = i != 0;
            return trust;
        }
    }
    if (GetOsClass() == OsWin9x)
        return trust;
    // Whoever may write the folder may put another file in the source's
    // place. A root is opened as "C:\" or "\\server\share\" ("C:" would
    // be the drive's current folder).
    std::string folder = DirectoryPart(full);
    if (IsRoot(folder))
        folder += "\\";
    if (!AccessListRefuses(folder, true, trust))
        AccessListRefuses(full, false, trust);
    return trust;
}

DWORD SourceOpenFlags()
{
    return GetOsClass() == OsWin9x ? 0 : SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION;
}
