#include "settings/DriverIniChange.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "platform/FileReplace.h"
#include "platform/FsRedirection.h"
#include "platform/OsClass.h"

namespace {

// Tries before giving up while another program keeps writing the file.
const int kTries = 4;

// What tells that the file changed: missing, or its size and last-write time.
struct FileStamp {
    bool exists = false;
    DWORD sizeLow = 0, sizeHigh = 0;
    FILETIME written = {};

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && sizeLow == other.sizeLow && sizeHigh == other.sizeHigh &&
               written.dwLowDateTime == other.written.dwLowDateTime &&
               written.dwHighDateTime == other.written.dwHighDateTime;
    }
};

// Looked up by name in the folder, so that it works while the file is held.
FileStamp StampOf(bool governed, const std::string& path)
{
    FileStamp stamp;
    WIN32_FIND_DATAA data;
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(path.c_str(), &data); }));
    if (search.IsValid()) {
        stamp.exists = true;
        stamp.sizeLow = data.nFileSizeLow;
        stamp.sizeHigh = data.nFileSizeHigh;
        stamp.written = data.ftLastWriteTime;
    }
    return stamp;
}

enum Attempt { Done, Failed, ChangedMeanwhile };

Attempt TryOnce(CDriverINI& file, bool again, const std::function<bool(CDriverINI& copy)>& change, DWORD& error)
{
    const bool governed = file.NoFsRedirection();
    const std::string& path = file.GetIniPath();
    // On 95/98/Me what the system's profile cache holds for the file goes to
    // the disk first, so that the copy has it (measuring the file did that
    // for the first try).
    if (again && GetOsClass() == OsWin9x)
        file.FlushProfileCache();
    const FileStamp before = StampOf(governed, path);

    std::string temp;
    if (!WriteTempCopy(governed, before.exists ? path : std::string(), DirectoryPart(path), temp)) {
        // A missing folder (the per-user one under Terminal Services is made
        // by nobody but the driver) is the usual reason.
        error = ::GetLastError();
        return Failed;
    }
    bool changed;
    {
        CDriverINI copy(temp, governed);
        changed = change(copy);
        error = changed ? 0 : ::GetLastError();
        copy.FlushProfileCache();
    }
    if (changed && !FlushFileToDisk(governed, temp)) {
        error = ::GetLastError();
        changed = false;
    }
    if (!changed) {
        RemoveTemp(governed, temp);
        return Failed;
    }

    // On 95/98/Me the profile cache is the system's, shared with every
    // program: a write of another program may still be in it, and it must
    // reach the disk to be seen (and not be written over the replacement
    // later). Elsewhere every process writes through, and a flush would only
    // have the whole file read again.
    if (GetOsClass() == OsWin9x)
        file.FlushProfileCache();
    if (!(StampOf(governed, path) == before)) {
        RemoveTemp(governed, temp);
        return ChangedMeanwhile;
    }
    error = ReplaceWithTemp(governed, temp, path);
    if (error != 0) {
        RemoveTemp(governed, temp);
        return Failed;
    }
    return Done;
}

} // namespace

bool ChangeDriverIni(const std::function<bool(CDriverINI& copy)>& change, DWORD& error)
{
    error = 0;
    CDriverINI file;
    // A file left aside by a replacement cut short goes back before the copy
    // is taken; were it left, the change would start from a missing file.
    error = RecoverLeftovers(file.NoFsRedirection(), DirectoryPart(file.GetIniPath()));
    if (error != 0)
        return false;
    for (int i = 0; i < kTries; ++i) {
        switch (TryOnce(file, i > 0, change, error)) {
        case Done:
            return true;
        case Failed:
            return false;
        case ChangedMeanwhile:
            error = 0;
            break;
        }
    }
    return false;
}
