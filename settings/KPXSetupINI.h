// The tool settings file beside the executable (KPXSETUP.INI): the profile
// sets the tool offers and the paths of each set's four files. Read only;
// every call reads the file anew.
#pragma once

#include "settings/ProfileKind.h"

#include <windows.h>
#include <string>
#include <vector>

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

    std::string m_strIniPath;
    std::string m_strToolDir;
};
