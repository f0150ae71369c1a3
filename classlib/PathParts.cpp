#include "classlib/PathParts.h"

#include <mbstring.h>

size_t FindLastBackslash(const std::string& path)
{
    const unsigned char* text = reinterpret_cast<const unsigned char*>(path.c_str());
    // _mbsrchr walks lead and trail bytes as one character in the code page
    // the run-time library took from the system at start-up.
    const unsigned char* hit = _mbsrchr(text, '\\');
    return hit ? static_cast<size_t>(hit - text) : std::string::npos;
}

std::string FileNamePart(const std::string& path)
{
    size_t slash = FindLastBackslash(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path)
{
    size_t slash = FindLastBackslash(path);
    return slash == std::string::npos ? path : path.substr(0, slash);
}
