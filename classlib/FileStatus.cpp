#include "classlib/FileStatus.h"

#include "classlib/Handle.h"

#include <cstring>

namespace {

// 100-nanosecond ticks from 1601-01-01 (FILETIME's origin) to 1970-01-01.
const ULONGLONG kTicksTo1970 = 116444736000000000ULL;
const ULONGLONG kTicksPerSecond = 10000000ULL;

// File systems that do not keep a time report it as zero; times before 1970
// have no place on this scale either. Both give 0 ("unknown").
FileSeconds ToTime(const FILETIME& time)
{
    ULONGLONG ticks = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    if (ticks < kTicksTo1970)
        return 0;
    return static_cast<FileSeconds>((ticks - kTicksTo1970) / kTicksPerSecond);
}

} // namespace

FILETIME ToFileTime(FileSeconds time)
{
    const ULONGLONG ticks = static_cast<ULONGLONG>(time) * kTicksPerSecond + kTicksTo1970;
    return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

bool GetFileStatus(const char* path, CFileStatus& status)
{
    // '*' (0x2A) and '?' (0x3F) are below the trail-byte range of code page
    // 932 (0x40 and up), so a byte search cannot mistake a double-byte
    // character for them.
    if (!path || !*path || std::strpbrk(path, "*?"))
        return false;

    WIN32_FIND_DATAA found;
    CFindHandle search(::FindFirstFileA(path, &found));
    if (!search.IsValid())
        return false;

    status.m_size = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
    status.m_ctime = ToTime(found.ftCreationTime);
    status.m_mtime = ToTime(found.ftLastWriteTime);
    status.m_atime = ToTime(found.ftLastAccessTime);
    status.m_attribute = found.dwFileAttributes;
    return true;
}
