#include "settings/IniNames.h"

#include "classlib/AsciiCase.h"
#include "classlib/WholeCharacters.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

bool SystemCodePageIs932()
{
    return ::GetACP() == 932;
}

bool IsTrailByte(BYTE b, bool cp932)
{
    if (cp932)
        return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
    return b >= 0x40 && b != 0x7F && b != 0xFF;
}

enum class ByteKind : unsigned char {
    Whole,     // a character of one byte that reads alike everywhere
    Lead,      // the system code page's lead byte: a trail byte must follow
    Unreadable // a NUL, a control character Wine takes for a blank, or (in
               // code page 932) a byte that maps to no character of its own
};

// What each byte is in the system code page, asked of the system once: a
// file of thousands of sections is read byte by byte.
struct ByteKinds {
    bool cp932;
    ByteKind kind[256];
    bool trail[256];
    bool asciiSingle = true; // no byte below 0x80 is a lead byte (none is in any code page)
    ByteKinds() : cp932(SystemCodePageIs932())
    {
        for (int i = 0; i < 256; ++i) {
            const BYTE b = static_cast<BYTE>(i);
            kind[i] = ByteKind::Whole;
            if (::IsDBCSLeadByte(b))
                kind[i] = ByteKind::Lead;
            else if (b == 0 || b == 0x0B || b == 0x0C || b == 0x1A || (cp932 && (b == 0x80 || b == 0xA0 || b >= 0xFD)))
                kind[i] = ByteKind::Unreadable;
            trail[i] = IsTrailByte(b, cp932);
            if (b < 0x80 && kind[i] == ByteKind::Lead)
                asciiSingle = false;
        }
    }
};

const ByteKinds& Bytes()
{
    static const ByteKinds table;
    return table;
}

// The length of the readable character at text[i] (1 or 2); 0 where no
// readable character starts there.
size_t ReadableCharLength(const ByteKinds& bytes, std::string_view text, size_t i)
{
    switch (bytes.kind[static_cast<BYTE>(text[i])]) {
    case ByteKind::Whole:
        return 1;
    case ByteKind::Lead:
        return i + 1 < text.size() && bytes.trail[static_cast<BYTE>(text[i + 1])] ? 2 : 0;
    case ByteKind::Unreadable:
        break;
    }
    return 0;
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

IniChar CharAt(std::string_view text, size_t offset, bool cp932)
{
    IniChar c;
    c.length = CharLengthAt(text, offset);
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

bool IsReadableIniText(std::string_view text)
{
    const ByteKinds& bytes = Bytes();
    for (size_t i = 0, length = 0; i < text.size(); i += length) {
        length = ReadableCharLength(bytes, text, i);
        if (length == 0)
            return false;
    }
    return true;
}

namespace {

const std::uint32_t kEachByte = 0x01010101u, kByteHighBits = 0x80808080u;

std::uint32_t FourBytes(const char* bytes)
{
    std::uint32_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The high bit of each byte of word that is b, and of no other: without the
// borrow from byte to byte of the usual test.
std::uint32_t BytesEqual(std::uint32_t word, BYTE b)
{
    const std::uint32_t x = word ^ (kEachByte * b);
    return ~(((x & 0x7F7F7F7Fu) + 0x7F7F7F7Fu) | x) & kByteHighBits;
}

// The high bit of each byte of word below 0x20 (word has none above 0x7F).
std::uint32_t BytesBelowBlank(std::uint32_t word)
{
    return ~(((word & 0x7F7F7F7Fu) + 0x60606060u) | word) & kByteHighBits;
}

// Every line of text at most maxLine bytes long without its line end, where
// every CR stands before an LF. Only the line that ends last within reach of
// a line's start needs measuring: the lines before it are shorter.
bool LinesFit(const char* data, size_t size, size_t maxLine)
{
    size_t start = 0;
    while (size - start > maxLine) {
        // A line that starts at start and fits has its LF at start + maxLine + 1
        // at the latest (after a CR).
        size_t end = std::min(start + maxLine + 1, size - 1) + 1;
        while (end > start && data[end - 1] != '\n')
            --end;
        if (end == start)
            return false;
        const size_t lf = end - 1;
        size_t lineStart = lf;
        while (lineStart > start && data[lineStart - 1] != '\n')
            --lineStart;
        if (lf - lineStart - (lf > lineStart && data[lf - 1] == '\r' ? 1 : 0) > maxLine)
            return false;
        start = lf + 1;
    }
    return true;
}

} // namespace

bool ScanIniLines(std::string_view text, size_t maxLine, std::vector<size_t>& sectionLines)
{
    const ByteKinds& bytes = Bytes();
    const char* const data = text.data();
    const size_t size = text.size();
    sectionLines.clear();
    const auto lineStart = [&](size_t start) {
        size_t first = start;
        while (first < size && (data[first] == ' ' || data[first] == '\t'))
            ++first;
        if (first < size && data[first] == '[')
            sectionLines.push_back(start);
    };
    lineStart(0);
    for (size_t i = 0; i < size;) {
        // Four bytes at a time (and the one after, for a CR at the end): four
        // of printable ASCII need nothing, and four with a line end in them
        // but no other control character only a look at the next line's
        // start. A word's bytes never start within a character: the bytes
        // above ASCII go one character at a time below.
        if (bytes.asciiSingle && i + 5 <= size) {
            const std::uint32_t word = FourBytes(data + i);
            if ((((word - 0x20202020u) | word) & kByteHighBits) == 0) {
                i += 4;
                continue;
            }
            if ((word & kByteHighBits) == 0) {
                const std::uint32_t cr = BytesEqual(word, '\r'), lf = BytesEqual(word, '\n');
                const std::uint32_t others = BytesBelowBlank(word) & ~(cr | lf | BytesEqual(word, '\t'));
                if (others == 0 && (cr & ~BytesEqual(FourBytes(data + i + 1), '\n')) == 0) {
                    // Mostly one line end: its byte's number from its bit.
                    if (lf != 0 && (lf & (lf - 1)) == 0) {
                        lineStart(i + ((lf >> 7) * 0x00010203u >> 24) + 1);
                    } else {
                        for (size_t k = 0; k < 4; ++k) {
                            if (lf & (0x80u << (8 * k)))
                                lineStart(i + k + 1);
                        }
                    }
                    i += 4;
                    continue;
                }
            }
        }
        const BYTE b = static_cast<BYTE>(data[i]);
        if (b == '\r' && (i + 1 == size || data[i + 1] != '\n'))
            return false;
        if (b == '\n')
            lineStart(i + 1);
        const size_t length = ReadableCharLength(bytes, text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return LinesFit(data, size, maxLine);
}

IniNameMatch MatchIniName(std::string_view a, std::string_view b)
{
    const bool cp932 = Bytes().cp932;
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

bool FoldIniName(std::string_view name, std::string& folded)
{
    const bool cp932 = Bytes().cp932;
    folded.clear();
    for (size_t i = 0; i < name.size();) {
        const BYTE b = static_cast<BYTE>(name[i]);
        if (b < 0x80) {
            folded += static_cast<char>(AsciiUpper(b));
            ++i;
            continue;
        }
        const IniChar c = CharAt(name, i, cp932);
        if (c.kind == CharKind::Unsure)
            return false;
        // Code page 932 keeps lead bytes apart from the single bytes above
        // ASCII, so the folded codes read back one way only.
        if (c.length == 2)
            folded += static_cast<char>(c.folded >> 8);
        folded += static_cast<char>(c.folded & 0xFF);
        i += c.length;
    }
    return true;
}
