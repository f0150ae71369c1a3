// A set whose name or paths hold a character the system code page cannot
// hold (a tool settings file saved as UTF-8): the set would be recorded, or
// its files looked for, under another name, so it is refused.
#pragma once

#include "cmdline/RunOutput.h"
#include "settings/KPXSetupINI.h"

#include <string>

// True, with a line naming the set, the line of the file and the character,
// when the set holds such a character.
bool RefuseLostCharacter(const CKPXSetupINI& toolIni, const std::string& setName, CRunOutput& output);
