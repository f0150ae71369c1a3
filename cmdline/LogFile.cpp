#include "cmdline/LogFile.h"

#include "platform/MakeFolders.h"
#include "platform/OsClass.h"

namespace {

// Renames the log to its older generation, replacing an older one. Fails,
// and leaves both as they are, while another writer holds the log open: the
// writers' handles do not share deletion.
void RollOver(const std::string& path)
{
    const std::string older = path + ".1";
    if (Win32().MoveFileExA(path.c_str(), older.c_str(), MOVEFILE_REPLACE_EXISTING))
        return;
    // 95/98/Me have no replacing rename.
    if (::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED) {
        Win32().DeleteFileA(older.c_str());
        Win32().MoveFileA(path.c_str(), older.c_str());
    }
}

} // namespace

DWORD CLogFile::Open(const std::string& path)
{
    DWORD error = OpenChecked(path);
    // A log folder nobody made yet (the first run on a machine) is made,
    // and the log opened in it with the same checks.
    if (error == ERROR_PATH_NOT_FOUND) {
        error = MakeFoldersFor(path);
        if (error == 0)
            error = OpenChecked(path);
    }
    if (error == 0 && Size() >= kLogRollOverSize) {
        m_file.Reset();
        RollOver(path);
        error = OpenChecked(path);
    }
    return error;
}

DWORD CLogFile::OpenChecked(const std::string& path)
{
    // FILE_APPEND_DATA without FILE_WRITE_DATA: every write goes to the end
    // of the file as it is at that instant, also over a share. 95/98/Me know
    // only the generic rights. Not following a reparse point opens the link
    // itself, which is then refused; 2000 brought reparse points (NT 4.0 has
    // none to follow).
    const OsClass os = GetOsClass();
    m_seekToEnd = os == OsWin9x;
    const DWORD access = m_seekToEnd ? GENERIC_WRITE : FILE_APPEND_DATA | FILE_READ_ATTRIBUTES;
    const DWORD flags = os == OsWin9x || os == OsNT4 ? 0 : FILE_FLAG_OPEN_REPARSE_POINT;
    m_file.Reset(Win32().CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL | flags, nullptr));
    if (!m_file.IsValid())
        return ::GetLastError();

    // Judged on the open handle, so the file checked is the file written.
    DWORD refusal = 0;
    BY_HANDLE_FILE_INFORMATION info = {};
    if (::GetFileType(m_file.Get()) != FILE_TYPE_DISK)
        refusal = kLogIsNoDiskFile;
    else if (!::GetFileInformationByHandle(m_file.Get(), &info))
        refusal = ::GetLastError();
    else if ((info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 || info.nNumberOfLinks > 1)
        refusal = kLogIsLink;
    if (refusal != 0)
        m_file.Reset();
    return refusal;
}

ULONGLONG CLogFile::Size() const
{
    DWORD high = 0;
    const DWORD low = ::GetFileSize(m_file.Get(), &high);
    if (low == INVALID_FILE_SIZE && ::GetLastError() != NO_ERROR)
        return 0;
    return (static_cast<ULONGLONG>(high) << 32) | low;
}

void CLogFile::Append(const std::string& bytes) const
{
    if (m_seekToEnd) {
        LONG high = 0; // past 4 GB the end lies beyond the low part
        ::SetFilePointer(m_file.Get(), 0, &high, FILE_END);
    }
    // A failed write (a full disk) is not reported: there is nowhere left to
    // report it, and the exit code still tells the outcome.
    DWORD written = 0;
    ::WriteFile(m_file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
