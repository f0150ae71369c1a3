// The file names a profile may be installed under: exactly the names that end
// in ".kpx" and whose stem is no device, as an independent model decides;
// through FileNamePart, never a name with a separator.
#include "FuzzCheck.h"
#include "classlib/PathParts.h"
#include "operation/ProfileFileName.h"

#include <strings.h>

namespace {

bool ModelIsDevice(std::string stem)
{
    for (char& c : stem) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CLOCK$", "CONIN$", "CONOUT$"}) {
        if (stem == device)
            return true;
    }
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

bool ModelAccepts(const std::string& name)
{
    if (name == "." || name == ".." || name.size() < 4)
        return false;
    if (strcasecmp(name.c_str() + name.size() - 4, ".kpx") != 0)
        return false;
    // No character a file name may not hold, looked at character by
    // character (a trail byte of code page 932 may be '|').
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) && i + 1 < name.size()) {
            ++i;
            continue;
        }
        if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|')
            return false;
    }
    std::string stem = name.substr(0, name.find('.'));
    stem.erase(stem.find_last_not_of(" \t") + 1);
    return !ModelIsDevice(stem);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string path = TakeText(data, size);

    const ProfileNameProblem direct = CheckProfileFileName(path);
    FUZZ_CHECK((direct == ProfileNameOk) == ModelAccepts(path));
    FUZZ_CHECK((direct == ProfileNameEmpty) == path.empty());

    const std::string name = FileNamePart(path);
    if (CheckProfileFileName(name) == ProfileNameOk) {
        FUZZ_CHECK(name.find('/') == std::string::npos);
        FUZZ_CHECK(FindLastBackslash(name) == std::string::npos);
        FUZZ_CHECK(name != "." && name != "..");
    }
    return 0;
}
