#include "platform/FileStamp.h"

#include "classlib/Handle.h"
#include "platform/FsRedirection.h"

FileStamp StampOf(bool governed, const std::string& path)
{
    FileStamp stamp;
    WIN32_FIND_DATAA data;
    CFindHandle search(CallWithoutFsRedirection(governed, [&] { return ::FindFirstFileA(path.c_str(), &data); }));
    if (search.IsValid()) {
        stamp.exists = true;
        stamp.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                        data.ftLastWriteTime.dwLowDateTime;
    }
    return stamp;
}
