#include "classlib/WholeCharacters.h"

#include <windows.h>

size_t WholeCharactersLength(const std::string& text)
{
    const char* p = text.c_str();
    size_t i = 0;
    while (p[i]) {
        if (!::IsDBCSLeadByte(static_cast<BYTE>(p[i])))
            ++i;
        else if (p[i + 1])
            i += 2;
        else
            break; // torn: the lead byte is not counted
    }
    return i;
}
