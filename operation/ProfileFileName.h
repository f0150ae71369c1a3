// Which file names a profile file may be installed under. The targets are the
// system directory and the driver directory, where any other name could
// replace a file of the system or of the driver (PLOTA2.INI among them) or
// reach a device; so a profile installs only as what it is.
#pragma once

#include <string>

enum ProfileNameProblem {
    ProfileNameOk,
    ProfileNameEmpty,     // nothing after the last separator
    ProfileNameDots,      // "." or ".."
    ProfileNameCharacter, // a character no file name may hold (':' would name a data
                          // stream of another file, '*' '?' '"' '<' '>' '|' a pattern or
                          // worse), or a control character
    ProfileNameNotKpx,    // does not end in ".kpx" (any letter case)
    ProfileNameDevice,    // a reserved device name, with or without extension
};

// The rule for the file-name part of a source path (FileNamePart): a plain
// name ending in ".kpx" whose stem is not a reserved device name (CON, PRN,
// AUX, NUL, COM1-COM9, LPT1-LPT9, CLOCK$, CONIN$, CONOUT$; the stem is taken
// before the first dot and without trailing blanks, as the system reads it).
ProfileNameProblem CheckProfileFileName(const std::string& name);
