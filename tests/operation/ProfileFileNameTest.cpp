// Which file names a profile may be installed under, as a table.
#include "operation/ProfileFileName.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileFileName, OnlyKpxFilesThatAreNoDevicesInstall)
{
    const struct {
        const char* name;
        ProfileNameProblem problem;
    } cases[] = {
        {"auto.kpx", ProfileNameOk},
        {"AUTO.KPX", ProfileNameOk},
        {"\x83\x5C"
         "font.kpx",
         ProfileNameOk},                    // katakana "so" ends in a backslash byte
        {"con.kpx.kpx", ProfileNameDevice}, // the stem ends at the first dot
        {"COM10.kpx", ProfileNameOk},       // only COM1 to COM9 are devices
        {"COM0.kpx", ProfileNameOk},
        {"com1.kpx", ProfileNameDevice},
        {"LPT9.kpx", ProfileNameDevice},
        {"nul.kpx", ProfileNameDevice},
        {"NUL .kpx", ProfileNameDevice}, // trailing blanks of the stem do not count
        {"aux.KPX", ProfileNameDevice},
        {"Clock$.kpx", ProfileNameDevice},
        {"CONOUT$.kpx", ProfileNameDevice},
        {"console.kpx", ProfileNameOk},
        {".kpx", ProfileNameOk}, // a name of its extension alone is a file
        {"", ProfileNameEmpty},
        {".", ProfileNameDots},
        {"..", ProfileNameDots},
        {"PLOTA2.INI", ProfileNameNotKpx},
        {"kpxsetup.exe", ProfileNameNotKpx},
        {"NUL", ProfileNameNotKpx},
        {"auto.kpx ", ProfileNameNotKpx},
        {"auto.kpx.", ProfileNameNotKpx},
        {"kpx", ProfileNameNotKpx},
        {"PLOTA2.INI:x.kpx", ProfileNameCharacter}, // a data stream of the settings file
        {"C:evil.kpx", ProfileNameCharacter},
        {"a?.kpx", ProfileNameCharacter},
        {"a\tb.kpx", ProfileNameCharacter},
        {"\x83|.kpx", ProfileNameOk}, // 0x7C here is the trail byte of one character
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckProfileFileName(c.name), c.problem) << '"' << c.name << '"';
}

} // namespace
