#include "classlib/TemplateFormat.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// One printf conversion inside a format: "%" flags width .precision length type.
struct Conversion {
    size_t lengthBegin; // where the length modifier starts (or the type, without one)
    size_t typeAt;      // the conversion character
};

// Finds the format's only conversion ("%%" is a literal percent sign, not a
// conversion). False when there is none, more than one, or one that would
// take a second argument ('*' width or precision).
//
// The format is scanned byte by byte: '%' (0x25) is below the trail-byte
// range of code page 932 (0x40 and up), so it is never the second half of a
// double-byte character, and a lead byte right after a '%' simply ends the
// scan as an unknown conversion.
bool FindOnlyConversion(const std::string& format, Conversion& only)
{
    int found = 0;
    const size_t size = format.size();
    for (size_t i = 0; i < size; ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < size && format[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < size && std::strchr("-+ #0", format[j]) && format[j] != '\0')
            ++j;
        while (j < size && format[j] >= '0' && format[j] <= '9')
            ++j;
        if (j < size && format[j] == '.') {
            ++j;
            while (j < size && format[j] >= '0' && format[j] <= '9')
                ++j;
        }
        Conversion c;
        c.lengthBegin = j;
        while (j < size && std::strchr("hlLjzt", format[j]) && format[j] != '\0')
            ++j;
        if (j >= size)
            return false; // a '%' that ends the text
        c.typeAt = j;
        only = c;
        ++found;
        i = j;
    }
    return found == 1;
}

template <class... Args>
std::string Printf(const std::string& format, Args... args)
{
    int needed = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (needed < 0)
        return format;
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::snprintf(buffer.data(), buffer.size(), format.c_str(), args...);
    return std::string(buffer.data(), static_cast<size_t>(needed));
}

} // namespace

std::string FormatTemplateText(const std::string& format, const std::string& text)
{
    Conversion c;
    if (!FindOnlyConversion(format, c) || format[c.typeAt] != 's' || c.lengthBegin != c.typeAt)
        return format;
    return Printf(format, text.c_str());
}

std::string FormatTemplateNumber(const std::string& format, long long value)
{
    Conversion c;
    if (!FindOnlyConversion(format, c) || (format[c.typeAt] != 'd' && format[c.typeAt] != 'i'))
        return format;
    // Whatever length the template gave ("%d", "%ld", "%hd"), the value is
    // printed as the 64-bit integer it is.
    std::string wide = format.substr(0, c.lengthBegin) + "ll" + format.substr(c.typeAt);
    return Printf(wide, value);
}
