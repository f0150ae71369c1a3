// The tool settings file beside the executable (KPXSETUP.INI): the profile
// sets the tool offers and the paths of each set's four files. Read only;
// every call reads the file anew. A file in the system code page is read by
// the profile functions; a file saved as UTF-8 (IsUtf8IniText) is read as
// UTF-8 and its names and paths turned into the system code page.
#pragma once

#include "settings/ProfileKind.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CUtf8IniText;

class CKPXSetupINI {
public:
    // The settings file and the tool directory that "%KPXSETUP%" stands for.
    CKPXSetupINI(const std::string& iniPath, const std::string& toolDir);
    virtual ~CKPXSetupINI() {}

    // NumColorProfileSets; 0 when missing or not a number.
    int GetSetCount() const;
    // ColorProfileSetName<index + 1>; false (name untouched) when missing or empty.
    BOOL GetSetName(int index, std::string& name) const;
    // The names of the sets on offer, in index order, skipping missing ones.
    // The count is taken from the file but at most kMaxSets names are read,
    // and reading ends after kMaxGap missing names in a row: a count of
    // millions names no more sets than are written, and must not keep the
    // tool from starting.
    std::vector<std::string> GetSetNames() const;
    static const int kMaxSets = 4096;
    static const int kMaxGap = 256;
    // The finished path of one of the set's files; false (path untouched) when
    // the key is missing or empty or the path cannot be expanded.
    BOOL ReadProfilePath(const std::string& setName, ProfileKind kind, std::string& path) const;
    // Environment references expanded, then "%KPXSETUP%" replaced by the tool
    // directory; false when the result does not fit 259 characters.
    BOOL ExpandProfilePath(const std::string& raw, std::string& path) const;
    // A character of the set's name or of its files' paths that the system
    // code page cannot hold (a file read as UTF-8): false when there is none;
    // else the line it stands on (from 1) and its Unicode number.
    bool FindLostCharacter(const std::string& setName, int& line, unsigned& character) const;

    std::string m_strIniPath;
    std::string m_strToolDir;

private:
    // The file read as UTF-8; null when the profile functions read it.
    std::shared_ptr<const CUtf8IniText> Utf8Text() const;
    // The value as GetPrivateProfileStringA reads it into 260 bytes, from
    // utf8 when it is not null; false when missing or empty.
    bool ReadValue(const CUtf8IniText* utf8, const char* section, const char* key, std::string& value) const;
    BOOL GetSetName(const CUtf8IniText* utf8, int index, std::string& name) const;
    // GetSetCount with the file's UTF-8 reading, if any, already taken.
    int GetSetCount(const CUtf8IniText* utf8) const;
};
