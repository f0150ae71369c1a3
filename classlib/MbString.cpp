#include "classlib/MbString.h"

#include <mbstring.h>

namespace {

const unsigned char* Bytes(const std::string& text)
{
    return reinterpret_cast<const unsigned char*>(text.c_str());
}

} // namespace

int MbCompare(const std::string& a, const std::string& b)
{
    return _mbscmp(Bytes(a), Bytes(b));
}

int MbCompareNoCase(const std::string& a, const std::string& b)
{
    return _mbsicmp(Bytes(a), Bytes(b));
}
