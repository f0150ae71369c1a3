#include "support/IniSection.h"

#include <windows.h>

std::vector<std::string> IniSection(const std::string& path, const std::string& section)
{
    // The file may have been written by another process a moment ago: drop
    // any copy the profile calls keep before reading.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    std::vector<char> buffer(32768);
    DWORD n =
        GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> lines;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += lstrlenA(p) + 1)
        lines.push_back(p);
    return lines;
}
