// Comparing code page 932 strings: an order (reflexive, antisymmetric), equal
// only for equal text, and without regard to case exactly where ASCII letters
// differ in case only.
#include "FuzzCheck.h"
#include "classlib/MbString.h"

#include <strings.h>

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

bool IsAscii(const std::string& text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string a = TakeText(data, size);
    const std::string b = TakeText(data, size);

    FUZZ_CHECK(MbCompare(a, a) == 0);
    FUZZ_CHECK(MbCompareNoCase(a, a) == 0);
    FUZZ_CHECK(Sign(MbCompare(a, b)) == -Sign(MbCompare(b, a)));
    FUZZ_CHECK(Sign(MbCompareNoCase(a, b)) == -Sign(MbCompareNoCase(b, a)));
    // Different text never compares equal: a rename to another name, or two
    // different profile files, must be told apart.
    FUZZ_CHECK((MbCompare(a, b) == 0) == (a == b));
    if (MbCompare(a, b) == 0)
        FUZZ_CHECK(MbCompareNoCase(a, b) == 0);
    if (IsAscii(a) && IsAscii(b))
        FUZZ_CHECK(Sign(MbCompareNoCase(a, b)) == Sign(strcasecmp(a.c_str(), b.c_str())));
    return 0;
}
