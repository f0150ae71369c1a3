#include "settings/IniNames.h"

#include <windows.h>

namespace {

bool SystemCodePageIs932()
{
    return ::GetACP() == 932;
}

// The system code page's lead bytes, asked of the system once: a file of
// thousands of sections is read byte by byte.
bool IsLeadByte(BYTE b)
{
    struct LeadBytes {
        bool lead[256];
        LeadBytes()
        {
            for (int i = 0; i < 256; ++i)
                lead[i] = ::IsDBCSLeadByte(static_cast<BYTE>(i)) != FALSE;
        }
    };
    static const LeadBytes table;
    return table.lead[b];
}

bool IsTrailByte(BYTE b, bool cp932)
{
    if (cp932)
        return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    return b >= 0x40 && b != 0x7F && b != 0xFF;
}

enum class CharKind {
    Plain,       // equal to another character exactly when the folded codes are
    CasedLetter, // a double-byte letter: its other case is doubtful
    Unsure       // not known to map to a UTF-16 character of its own
};

struct IniChar {
    unsigned code = 0;   // the byte, or lead byte << 8 | trail byte
    unsigned folded = 0; // the code of its upper case
    CharKind kind = CharKind::Plain;
    size_t length = 1;
};

struct CodeRange {
    unsigned first, last;
    int toUpper; // added to a code of the range to give its upper case
};

// Code page 932's double-byte letters with a case partner, lower case mapped
// to upper case (the row of Cyrillic lower case skips 0x847F).
const CodeRange kCasedLetters[] = {
    {0x8260, 0x8279, 0},     {0x8281, 0x829A, -0x21}, // full-width Latin
    {0x839F, 0x83B6, 0},     {0x83BF, 0x83D6, -0x20}, // Greek
    {0x8440, 0x8460, 0},     {0x8470, 0x847E, -0x30}, // Cyrillic
    {0x8480, 0x8491, -0x31},
};

// Code page 932's double-byte characters that map one to one to UTF-16
// without a case partner: the assigned symbols of the first rows, digits,
// kana, box drawing and the kanji of JIS levels 1 and 2. (Trail bytes outside
// 0x40-0xFC never get here.) The NEC and IBM rows hold characters that map to
// the same UTF-16 character as another code, and unassigned codes all map to
// the default character.
const CodeRange kPlainDoubleBytes[] = {
    {0x8140, 0x81AC, 0}, {0x824F, 0x8258, 0}, {0x829F, 0x82F1, 0}, {0x8340, 0x8396, 0},
    {0x849F, 0x84BE, 0}, {0x889F, 0x9872, 0}, {0x989F, 0xEAA4, 0},
};

template <size_t N>
const CodeRange* FindRange(const CodeRange (&ranges)[N], unsigned code)
{
    for (const CodeRange& range : ranges) {
        if (code >= range.first && code <= range.last)
            return &range;
    }
    return nullptr;
}

unsigned AsciiUpper(unsigned c)
{
    return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c;
}

IniChar CharAt(const std::string& text, size_t offset, bool cp932)
{
    IniChar c;
    c.length = IniCharLength(text, offset);
    c.code = static_cast<BYTE>(text[offset]);
    if (c.length == 2)
        c.code = c.code << 8 | static_cast<BYTE>(text[offset + 1]);
    c.folded = c.code;
    if (c.code < 0x80) {
        c.folded = AsciiUpper(c.code);
    } else if (!cp932) {
        c.kind = CharKind::Unsure;
    } else if (c.length == 2) {
        if (const CodeRange* cased = FindRange(kCasedLetters, c.code)) {
            c.kind = CharKind::CasedLetter;
            c.folded = c.code + cased->toUpper;
        } else if (!FindRange(kPlainDoubleBytes, c.code)) {
            c.kind = CharKind::Unsure;
        }
    }
    // Single bytes of code page 932 above 0x7F that are readable at all are
    // half-width katakana: plain.
    return c;
}

} // namespace

bool IsReadableIniText(const std::string& text)
{
    const bool cp932 = SystemCodePageIs932();
    for (size_t i = 0; i < text.size(); ++i) {
        const BYTE b = static_cast<BYTE>(text[i]);
        if (IsLeadByte(b)) {
            if (i + 1 >= text.size() || !IsTrailByte(static_cast<BYTE>(text[i + 1]), cp932))
                return false;
            ++i;
        } else if (b == 0 || b == 0x0B || b == 0x0C || b == 0x1A) {
            return false;
        } else if (cp932 && (b == 0x80 || b == 0xA0 || b >= 0xFD)) {
            return false;
        }
    }
    return true;
}

size_t IniCharLength(const std::string& text, size_t offset)
{
    return IsLeadByte(static_cast<BYTE>(text[offset])) && offset + 1 < text.size() ? 2 : 1;
}

IniNameMatch MatchIniName(const std::string& a, const std::string& b)
{
    const bool cp932 = SystemCodePageIs932();
    IniNameMatch result = IniNameMatch::Same;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        // ASCII on both sides, the common case, without the code page's tables.
        const BYTE x = static_cast<BYTE>(a[i]), y = static_cast<BYTE>(b[j]);
        if (x < 0x80 && y < 0x80) {
            if (x != y && AsciiUpper(x) != AsciiUpper(y))
                return IniNameMatch::Different;
            ++i;
            ++j;
            continue;
        }
        const IniChar ca = CharAt(a, i, cp932), cb = CharAt(b, j, cp932);
        i += ca.length;
        j += cb.length;
        if (ca.code == cb.code)
            continue;
        if (ca.kind == CharKind::Unsure || cb.kind == CharKind::Unsure)
            result = IniNameMatch::Doubtful;
        else if (ca.folded != cb.folded)
            return IniNameMatch::Different;
        else if (ca.kind == CharKind::CasedLetter)
            result = IniNameMatch::Doubtful;
    }
    // Every readable character is one UTF-16 character: names of different
    // lengths in characters differ.
    if (i < a.size() || j < b.size())
        return IniNameMatch::Different;
    return result;
}
