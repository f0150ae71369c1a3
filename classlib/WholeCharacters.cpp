#include "classlib/WholeCharacters.h"

#include <windows.h>

namespace {

// Whether b is a lead byte of the system code page, asked of the system once
// for every byte: a settings file of thousands of sections is read character
// by character.
bool IsLead(char b)
{
    static const struct LeadBytes {
        bool lead[256];
        LeadBytes()
        {
            for (int i = 0; i < 256; ++i)
                lead[i] = ::IsDBCSLeadByte(static_cast<BYTE>(i)) != FALSE;
        }
    } bytes;
    return bytes.lead[static_cast<BYTE>(b)];
}

} // namespace

size_t WholeCharactersLength(const std::string& text)
{
    const std::string_view whole(text.c_str());
    size_t i = 0;
    while (i < whole.size()) {
        const size_t length = CharLengthAt(whole, i);
        if (length == 1 && IsLead(whole[i]))
            break; // torn: the lead byte is not counted
        i += length;
    }
    return i;
}

size_t CharLengthAt(std::string_view text, size_t i)
{
    return IsLead(text[i]) && i + 1 < text.size() ? 2 : 1;
}
