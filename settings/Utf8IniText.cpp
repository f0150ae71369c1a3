#include "settings/Utf8IniText.h"

#include "classlib/MbString.h"

#include <windows.h>

namespace {

const char kBom[] = "\xEF\xBB\xBF";

// The length of the UTF-8 sequence at text[i], 0 when it is not a valid one
// (overlong forms, surrogates and numbers past U+10FFFF included).
size_t SequenceLength(const std::string& text, size_t i)
{
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    unsigned min = 0, value = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, min = 0x80, value = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, min = 0x800, value = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, min = 0x10000, value = lead & 0x07;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char trail = static_cast<unsigned char>(text[i + k]);
        if ((trail & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (trail & 0x3F);
    }
    if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    return length;
}

std::wstring Wide(const std::string& utf8)
{
    if (utf8.empty())
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
    return wide;
}

// One character (one or two UTF-16 units) in the system code page; false
// when the code page cannot hold it: no conversion, a default character put
// in, or a best fit that does not convert back to the same character.
bool ToCodePage(const wchar_t* unit, int units, std::string& bytes)
{
    char buffer[8] = {};
    BOOL usedDefault = FALSE;
    const int n = ::WideCharToMultiByte(CP_ACP, 0, unit, units, buffer, sizeof buffer, nullptr, &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    wchar_t back[4] = {};
    if (::MultiByteToWideChar(CP_ACP, 0, buffer, n, back, 4) != units ||
        std::wstring(back, units) != std::wstring(unit, units))
        return false;
    bytes.assign(buffer, n);
    return true;
}

// The line in the system code page, "?" for each character it cannot hold;
// lost: the first such character's number, or 0.
std::string CodePageLine(const std::string& utf8, unsigned& lost)
{
    lost = 0;
    const std::wstring wide = Wide(utf8);
    std::string text;
    for (size_t i = 0; i < wide.size();) {
        const bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size();
        const int units = pair ? 2 : 1;
        std::string bytes;
        if (!ToCodePage(&wide[i], units, bytes)) {
            if (lost == 0)
                lost = pair ? 0x10000 + ((wide[i] - 0xD800) << 10) + (wide[i + 1] - 0xDC00) : wide[i];
            bytes = "?";
        }
        text += bytes;
        i += units;
    }
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The section name of a "[name]" line; false for any other line.
bool SectionName(const std::string& line, std::string& name)
{
    if (line.empty() || line[0] != '[')
        return false;
    const size_t close = line.find(']');
    name = Trimmed(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

} // namespace

bool IsUtf8IniText(const std::string& bytes)
{
    if (bytes.compare(0, 3, kBom) == 0)
        return true;
    bool beyondAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        const size_t length = SequenceLength(bytes, i);
        if (length == 0)
            return false;
        beyondAscii = beyondAscii || length > 1;
        i += length;
    }
    return beyondAscii;
}

CUtf8IniText::CUtf8IniText(const std::string& bytes)
{
    const size_t start = bytes.compare(0, 3, kBom) == 0 ? 3 : 0;
    int number = 0;
    for (size_t begin = start; begin <= bytes.size();) {
        size_t end = bytes.find('\n', begin);
        if (end == std::string::npos)
            end = bytes.size();
        std::string utf8 = bytes.substr(begin, end - begin);
        if (!utf8.empty() && utf8.back() == '\r')
            utf8.pop_back();
        Line line;
        line.text = Trimmed(CodePageLine(utf8, line.lost));
        line.number = ++number;
        m_lines.push_back(line);
        begin = end + 1;
    }
}

bool CUtf8IniText::Value(const std::string& section, const std::string& key, Utf8IniValue& value) const
{
    const Line* header = nullptr;
    for (const Line& line : m_lines) {
        std::string name;
        if (SectionName(line.text, name)) {
            // Only the first section of the name is read.
            if (header)
                return false;
            if (MbCompareNoCase(name, section) == 0)
                header = &line;
            continue;
        }
        if (!header || line.text.empty() || line.text[0] == ';')
            continue;
        const size_t equals = line.text.find('=');
        if (equals == std::string::npos || MbCompareNoCase(Trimmed(line.text.substr(0, equals)), key) != 0)
            continue;
        std::string text = Trimmed(line.text.substr(equals + 1));
        if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
            text = text.substr(1, text.size() - 2);
        value.text = text;
        value.line = line.number;
        value.lost = header->lost != 0 ? header->lost : line.lost;
        value.lostLine = header->lost != 0 ? header->number : line.number;
        return true;
    }
    return false;
}
