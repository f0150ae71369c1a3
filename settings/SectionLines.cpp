#include "settings/SectionLines.h"

#include <windows.h>

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::vector<std::string> MergeSectionEntries(const std::vector<std::string>& lines,
                                             const std::vector<SectionEntry>& entries)
{
    std::vector<std::string> merged = lines;
    for (const SectionEntry& entry : entries) {
        bool replaced = false;
        for (std::string& line : merged) {
            const size_t equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            const std::string key = Trimmed(line.substr(0, equals));
            // The record's keys are ASCII; the profile functions compare key
            // names without regard to case.
            if (::lstrcmpiA(key.c_str(), entry.first.c_str()) == 0) {
                line = key + "=" + entry.second;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            merged.push_back(entry.first + "=" + entry.second);
    }
    return merged;
}

bool HasBareLines(const std::string& fileText)
{
    size_t start = 0;
    while (start < fileText.size()) {
        size_t end = fileText.find('\n', start);
        if (end == std::string::npos)
            end = fileText.size();
        const std::string line = Trimmed(fileText.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.find('=') != std::string::npos)
            continue;
        if (line[0] == '[' && line.find(']') != std::string::npos)
            continue;
        return true;
    }
    return false;
}
