#include "classlib/TextPlaces.h"

std::string FillPlaces(const std::string& pattern, const std::vector<std::string>& values)
{
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const size_t place = next >= '1' && next <= '9' ? static_cast<size_t>(next - '1') : values.size();
        if (pattern[i] == '%' && place < values.size()) {
            text += values[place];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}
