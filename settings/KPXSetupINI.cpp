#include "settings/KPXSetupINI.h"

#include "settings/ToolDirToken.h"

#include <cstdio>

namespace {

const char kToolSection[] = "KESTRO PLOTARA Color Profile Setup Tool";

// Values are read into buffers of this many characters, so at most 259
// characters of a value are seen.
const DWORD kValueBuffer = 260;

} // namespace

CKPXSetupINI::CKPXSetupINI(const std::string& iniPath, const std::string& toolDir)
    : m_strIniPath(iniPath), m_strToolDir(toolDir)
{
}

int CKPXSetupINI::GetSetCount() const
{
    // The count comes back as an unsigned value: "-2" reads as a huge number
    // that, taken as int, is negative again, and a loop up to it adds nothing.
    return static_cast<int>(::GetPrivateProfileIntA(kToolSection, "NumColorProfileSets", 0, m_strIniPath.c_str()));
}

BOOL CKPXSetupINI::GetSetName(int index, std::string& name) const
{
    char key[40];
    std::snprintf(key, sizeof key, "ColorProfileSetName%d", index + 1);
    char value[kValueBuffer] = {};
    if (::GetPrivateProfileStringA(kToolSection, key, "", value, kValueBuffer, m_strIniPath.c_str()) == 0)
        return FALSE;
    name = value;
    return TRUE;
}

std::vector<std::string> CKPXSetupINI::GetSetNames() const
{
    std::vector<std::string> names;
    const int count = GetSetCount() < kMaxSets ? GetSetCount() : kMaxSets;
    int gap = 0;
    for (int i = 0; i < count && gap < kMaxGap; ++i) {
        std::string name;
        if (GetSetName(i, name)) {
            names.push_back(name);
            gap = 0;
        } else {
            ++gap;
        }
    }
    return names;
}

BOOL CKPXSetupINI::ReadProfilePath(const std::string& setName, ProfileKind kind, std::string& path) const
{
    char value[kValueBuffer] = {};
    if (::GetPrivateProfileStringA(setName.c_str(), ProfileKeyName(kind), "", value, kValueBuffer,
                                   m_strIniPath.c_str()) == 0)
        return FALSE;
    return ExpandProfilePath(value, path);
}

BOOL CKPXSetupINI::ExpandProfilePath(const std::string& raw, std::string& path) const
{
    // Environment references first, so a variable named KPXSETUP wins over the
    // tool directory, and a token brought in by a variable is replaced too.
    char expanded[kValueBuffer] = {};
    DWORD needed = ::ExpandEnvironmentStringsA(raw.c_str(), expanded, kValueBuffer);
    if (needed == 0 || needed > kValueBuffer)
        return FALSE;

    std::string text = expanded;
    const size_t maxLength = kValueBuffer - 1;
    if (!SubstituteToolDir(text, m_strToolDir, maxLength) || text.size() > maxLength)
        return FALSE;
    path = text;
    return TRUE;
}
