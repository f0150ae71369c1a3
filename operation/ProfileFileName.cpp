#include "operation/ProfileFileName.h"

#include "classlib/AsciiCase.h"
#include "classlib/WholeCharacters.h"

#include <windows.h>

#include <cstring>

namespace {

bool IsDeviceStem(const std::string& stem)
{
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"};
    for (const char* device : kDevices) {
        if (EqualsAsciiNoCase(stem, device))
            return true;
    }
    // COM1-COM9 and LPT1-LPT9 (the system also takes the superscript digits
    // of code page 1252, which code page 932 has not).
    if (stem.size() == 4 &&
        (EqualsAsciiNoCase(stem.substr(0, 3), "COM") || EqualsAsciiNoCase(stem.substr(0, 3), "LPT")))
        return stem[3] >= '1' && stem[3] <= '9';
    return false;
}

} // namespace

ProfileNameProblem CheckProfileFileName(const std::string& name)
{
    if (name.empty())
        return ProfileNameEmpty;
    if (name == "." || name == "..")
        return ProfileNameDots;
    // Checked character by character: in code page 932 '|' (0x7C) may be
    // the trail byte of a double-byte character, which is no bar.
    for (size_t i = 0; i < name.size(); i += CharLengthAt(name, i)) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (CharLengthAt(name, i) == 1 && (c < 0x20 || std::strchr(":*?\"<>|", c)))
            return ProfileNameCharacter;
    }
    // Byte-wise looks are exact here: in code page 932 a trail byte is at
    // least 0x40, so '.' and the blank are never one, and neither 'K', 'P'
    // nor 'X' is a lead byte, so a final ".kpx" is four characters.
    if (name.size() < 4 || !EqualsAsciiNoCase(name.substr(name.size() - 4), ".KPX"))
        return ProfileNameNotKpx;
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '\t'))
        stem.pop_back();
    if (IsDeviceStem(stem))
        return ProfileNameDevice;
    return ProfileNameOk;
}
