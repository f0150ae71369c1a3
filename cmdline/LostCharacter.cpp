#include "cmdline/LostCharacter.h"

#include "classlib/WinApp.h"
#include "res/resource.h"

#include <cstdio>

bool RefuseLostCharacter(const CKPXSetupINI& toolIni, const std::string& setName, CRunOutput& output)
{
    int line = 0;
    unsigned character = 0;
    if (!toolIni.FindLostCharacter(setName, line, character))
        return false;
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", character);
    output.Line(FormatResString(IDS_SETS_LOST_CHARACTER, {setName, std::to_string(line), number}));
    return true;
}
