#include "support/WinePrefix.h"

#include <cstdlib>

std::string PrefixPath(const std::string& relative)
{
    const char* prefix = std::getenv("WINEPREFIX");
    if (!prefix || !*prefix)
        return std::string();
    std::string path = std::string("Z:") + prefix;
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    if (path.back() != '\\')
        path += '\\';
    return path + relative;
}

std::string NativeSystemFile(const std::string& name)
{
    return PrefixPath("drive_c\\windows\\system32\\" + name);
}

std::string RedirectedSystemFile(const std::string& name)
{
    return PrefixPath("drive_c\\windows\\syswow64\\" + name);
}
