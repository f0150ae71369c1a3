#include "classlib/PathParts.h"

#include "classlib/WholeCharacters.h"

#include <mbstring.h>

size_t FindLastBackslash(const std::string& path)
{
    // A torn character at the end is no backslash and is left out of the
    // search; it stays part of the file name.
    const std::string whole = path.substr(0, WholeCharactersLength(path));
    const unsigned char* text = reinterpret_cast<const unsigned char*>(whole.c_str());
    // _mbsrchr walks lead and trail bytes as one character in the code page
    // the run-time library took from the system at start-up.
    const unsigned char* hit = _mbsrchr(text, '\\');
    return hit ? static_cast<size_t>(hit - text) : std::string::npos;
}

std::string FileNamePart(const std::string& path)
{
    size_t slash = FindLastBackslash(path);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Windows takes a forward slash as a separator too: "dir/../../x.kpx"
    // names x.kpx, and copying it under that whole text would place it
    // outside the target directory. '/' (0x2F) is never a trail byte.
    size_t forward = name.rfind('/');
    return forward == std::string::npos ? name : name.substr(forward + 1);
}

std::string DirectoryPart(const std::string& path)
{
    size_t slash = FindLastBackslash(path);
    return slash == std::string::npos ? path : path.substr(0, slash);
}
