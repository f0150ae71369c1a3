#include "platform/MakeFolders.h"

#include "classlib/PathParts.h"

namespace {

bool IsFolder(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// "C:", "\\server\share", "\\server", "" and the like: nothing to make.
bool IsRoot(const std::string& folder)
{
    if (folder.empty() || folder.back() == ':')
        return true;
    if (folder.compare(0, 2, "\\\\") != 0)
        return false;
    const size_t server = folder.find('\\', 2);
    return server == std::string::npos || folder.find('\\', server + 1) == std::string::npos;
}

DWORD MakeFolder(const std::string& folder)
{
    if (IsRoot(folder) || IsFolder(folder))
        return 0;
    const std::string parent = DirectoryPart(folder);
    if (parent != folder) {
        const DWORD error = MakeFolder(parent);
        if (error != 0)
            return error;
    }
    if (::CreateDirectoryA(folder.c_str(), nullptr))
        return 0;
    // Another run may have made it meanwhile.
    const DWORD error = ::GetLastError();
    // cppcheck-suppress knownConditionTrueFalse ; the folder may have come since the first look
    return error == ERROR_ALREADY_EXISTS && IsFolder(folder) ? 0 : error;
}

} // namespace

DWORD MakeFoldersFor(const std::string& filePath)
{
    const std::string folder = DirectoryPart(filePath);
    return folder == filePath ? 0 : MakeFolder(folder);
}
