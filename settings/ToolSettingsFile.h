// Where the tool settings file lies (beside the executable, named after it
// with ".INI"), whether it is there, and the message when it is not. Both
// faces check it before they read a set.
#pragma once

#include "settings/KPXSetupINI.h"

#include <string>

class CToolSettingsFile {
public:
    // dir: the tool directory (no trailing backslash); name: the file's name.
    CToolSettingsFile(std::string dir, std::string name);

    // Tool directory, a backslash and the file name.
    std::string Path() const;
    // The file can be opened for reading.
    bool Exists() const;
    // The message for a missing file; it names the file in upper case,
    // double-byte letters included.
    std::string NotFoundText() const;
    // The file with the tool directory it expands against.
    CKPXSetupINI Open() const;

private:
    std::string m_dir;
    std::string m_name;
};
