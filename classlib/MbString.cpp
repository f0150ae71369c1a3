#include "classlib/MbString.h"

#include "classlib/WholeCharacters.h"

#include <mbstring.h>

namespace {

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.c_str());
}

// The library compares the whole characters; what follows them (a torn
// character at the end) is compared byte by byte after that, so two texts
// compare equal only when they are equal.
int CompareWholeFirst(const std::string& a, const std::string& b,
                      int (*compare)(const unsigned char*, const unsigned char*))
{
    const size_t wholeA = WholeCharactersLength(a);
    const size_t wholeB = WholeCharactersLength(b);
    int result = compare(Bytes(a.substr(0, wholeA)), Bytes(b.substr(0, wholeB)));
    if (result == 0)
        result = a.compare(wholeA, std::string::npos, b, wholeB, std::string::npos);
    return result;
}

} // namespace

int MbCompare(const std::string& a, const std::string& b)
{
    return CompareWholeFirst(a, b, _mbscmp);
}

int MbCompareNoCase(const std::string& a, const std::string& b)
{
    return CompareWholeFirst(a, b, _mbsicmp);
}

bool HoldsNoCase(const std::vector<std::string>& names, const std::string& name)
{
    for (const std::string& known : names) {
        if (MbCompareNoCase(known, name) == 0)
            return true;
    }
    return false;
}
