#include "support/ProfileChanges.h"

#include "support/IniSection.h"

#include <windows.h>

#include <cstring>

bool ChangeByProfileFunctions(const std::string& path, const std::vector<IniSectionChange>& changes)
{
    for (const IniSectionChange& change : changes) {
        const char* section = change.section.c_str();
        if (change.deleteKeys) {
            for (const auto& key : change.keys)
                WritePrivateProfileStringA(section, key.first.c_str(), nullptr, path.c_str());
            if (IniSection(path, change.section).empty())
                WritePrivateProfileStringA(section, nullptr, nullptr, path.c_str());
            continue;
        }
        for (const auto& key : change.keys)
            WritePrivateProfileStringA(section, key.first.c_str(), key.second.c_str(), path.c_str());
        if (change.moveTo.empty() || lstrcmpiA(section, change.moveTo.c_str()) == 0)
            continue;
        const std::vector<std::string> lines = IniSection(path, change.section);
        for (const std::string& line : lines) {
            if (line.find('=') == std::string::npos)
                return false;
        }
        for (const std::string& line : lines) {
            const size_t equals = line.find('=');
            WritePrivateProfileStringA(change.moveTo.c_str(), line.substr(0, equals).c_str(),
                                       line.substr(equals + 1).c_str(), path.c_str());
        }
        if (!lines.empty())
            WritePrivateProfileStringA(section, nullptr, nullptr, path.c_str());
    }
    return true;
}

std::vector<std::string> ReadBack(const std::string& path)
{
    std::vector<std::string> lines;
    std::vector<char> names(1 << 16);
    const DWORD size = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), path.c_str());
    for (const char* name = names.data(); name < names.data() + size && *name; name += std::strlen(name) + 1) {
        lines.push_back(std::string("[") + name + "]");
        for (const std::string& line : IniSection(path, name))
            lines.push_back(line);
    }
    return lines;
}
