#include "classlib/LineBreaks.h"

namespace {

// Calls line(start, length) for each line of text and brk() between two.
template <class Line, class Break>
void ForEachLine(std::string_view text, Line line, Break brk)
{
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != '\r' && text[i] != '\n')
            continue;
        line(text.substr(start, i - start));
        if (i == text.size())
            break;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        brk();
        start = i + 1;
    }
}

} // namespace

std::string WithCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + 16);
    ForEachLine(
        text, [&](std::string_view line) { out += line; }, [&] { out += "\r\n"; });
    return out;
}

std::string OnOneLine(std::string_view text, std::string_view joiner)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    std::string out;
    out.reserve(text.size());
    ForEachLine(
        text, [&](std::string_view line) { out += line; }, [&] { out += joiner; });
    return out;
}
