#include "support/TextLines.h"

#include <algorithm>

std::vector<std::string> SplitCrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

int CountLines(const std::string& text, const std::string& line)
{
    const std::vector<std::string> lines = SplitCrLfLines(text);
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}
