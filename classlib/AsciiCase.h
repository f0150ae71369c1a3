// Case folding of the ASCII letters alone: for names the system itself
// matches that way (device names, drive letters, the file extension), and
// for the ASCII part of a settings file's names, whose double-byte letters
// have rules of their own.
#pragma once

#include <string_view>

// c in upper case when it is an ASCII letter; any other byte as it is.
constexpr unsigned AsciiUpper(unsigned c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

// a and b are equal once their ASCII letters are folded.
constexpr bool EqualsAsciiNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(static_cast<unsigned char>(a[i])) != AsciiUpper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
