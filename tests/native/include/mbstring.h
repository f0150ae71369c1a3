// Linux stand-in for the run-time library's multibyte string functions the
// pure rules use, with code page 932 as the multibyte code page. They follow
// the Microsoft run-time library, the one the shipped program meets on
// Windows, also where the text is ill-formed: a lead byte directly before the
// terminating NUL (a torn character) counts as the end of the string.
#pragma once

#include <windows.h>

#include <cstddef>

namespace native_standin {

// The character at text and its length in bytes; a torn character is 0.
inline unsigned int NextChar(const unsigned char* text, size_t& length)
{
    if (IsDBCSLeadByte(text[0])) {
        length = 2;
        return text[1] ? (static_cast<unsigned int>(text[0]) << 8 | text[1]) : 0;
    }
    length = 1;
    return text[0];
}

// Case folding as the library's: ASCII letters only here (double-byte
// letters compare exactly, which the rules do not depend on).
inline unsigned int Lower(unsigned int c)
{
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}

inline int Compare(const unsigned char* a, const unsigned char* b, bool noCase)
{
    for (;;) {
        size_t la, lb;
        unsigned int ca = NextChar(a, la), cb = NextChar(b, lb);
        if (noCase) {
            ca = Lower(ca);
            cb = Lower(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        a += la;
        b += lb;
    }
}

} // namespace native_standin

// The last character c of text, or null. Like the Microsoft library, a torn
// character at the end gives the address of the terminating NUL when no c
// came before it.
inline unsigned char* _mbsrchr(const unsigned char* text, unsigned int c)
{
    const unsigned char* hit = nullptr;
    for (;;) {
        if (IsDBCSLeadByte(*text)) {
            if (!text[1]) {
                if (!hit)
                    hit = text + 1;
                break;
            }
            if (c == (static_cast<unsigned int>(text[0]) << 8 | text[1]))
                hit = text;
            text += 2;
            continue;
        }
        if (*text == c)
            hit = text;
        if (!*text)
            break;
        ++text;
    }
    return const_cast<unsigned char*>(hit);
}

inline int _mbscmp(const unsigned char* a, const unsigned char* b)
{
    return native_standin::Compare(a, b, false);
}

inline int _mbsicmp(const unsigned char* a, const unsigned char* b)
{
    return native_standin::Compare(a, b, true);
}
