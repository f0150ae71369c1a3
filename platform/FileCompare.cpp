#include "platform/FileCompare.h"

#include "classlib/Handle.h"
#include "classlib/Win32Api.h"
#include "platform/FsRedirection.h"
#include "platform/PlatformFlags.h"
#include "platform/SafeFileAccess.h"
#include "platform/SourceTrust.h"

#include <string>
#include <vector>

namespace {

const DWORD kChunk = 64 * 1024;
const DWORD kAllSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool ReadChunk(HANDLE file, char* buffer, DWORD& read)
{
    return ::ReadFile(file, buffer, kChunk, &read, nullptr) != FALSE;
}

// Size and last-write time, looked up by name in the folder, which works
// while another program holds the file without sharing.
bool Stamp(const std::string& path, bool governed, WIN32_FIND_DATAA& data)
{
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(path.c_str(), &data); }));
    return search.IsValid();
}

// A target held without sharing cannot be read: it counts as the source's
// file when it has the source's size and last-write time, which a copy keeps
// (as copy tools compare files they cannot read).
bool SameStamps(const std::string& source, const std::string& target)
{
    WIN32_FIND_DATAA a = {}, b = {};
    return Stamp(target, RunningOnWow64() != FALSE, a) && Stamp(source, false, b) && a.nFileSizeLow == b.nFileSizeLow &&
           a.nFileSizeHigh == b.nFileSizeHigh && ::CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

} // namespace

FileComparison CompareFileWithSource(const std::string& source, const std::string& target, DWORD& error)
{
    error = 0;
    CFileHandle targetFile(SafeCreateFile(target.c_str(), GENERIC_READ, kAllSharing, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!targetFile.IsValid()) {
        error = ::GetLastError();
        if (error == ERROR_SHARING_VIOLATION && SameStamps(source, target))
            return FilesSame;
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? TargetMissing : FileUnreadable;
    }
    CFileHandle sourceFile(Win32().CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | SourceOpenFlags(),
                                               nullptr));
    if (!sourceFile.IsValid()) {
        error = ::GetLastError();
        return FileUnreadable;
    }
    DWORD targetHigh = 0, sourceHigh = 0;
    const DWORD targetSize = ::GetFileSize(targetFile.Get(), &targetHigh);
    const DWORD sourceSize = ::GetFileSize(sourceFile.Get(), &sourceHigh);
    if (targetSize != sourceSize || targetHigh != sourceHigh)
        return FilesDiffer;
    std::vector<char> a(kChunk), b(kChunk);
    for (;;) {
        DWORD readA = 0, readB = 0;
        if (!ReadChunk(targetFile.Get(), a.data(), readA) || !ReadChunk(sourceFile.Get(), b.data(), readB)) {
            error = ::GetLastError();
            return FileUnreadable;
        }
        if (readA != readB || std::char_traits<char>::compare(a.data(), b.data(), readA) != 0)
            return FilesDiffer;
        if (readA == 0)
            return FilesSame;
    }
}
