#include "platform/FileExists.h"

#include "classlib/Handle.h"

bool FileExists(const char* path)
{
    CFileHandle file(Win32().CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return file.IsValid();
}
