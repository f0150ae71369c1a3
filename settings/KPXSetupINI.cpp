#include "settings/KPXSetupINI.h"

#include "classlib/WholeCharacters.h"
#include "platform/WholeFile.h"
#include "settings/ToolDirToken.h"
#include "settings/Utf8IniText.h"

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

std::shared_ptr<const CUtf8IniText> CKPXSetupINI::Utf8Text() const
{
    // A file that cannot be read is left to the profile functions, which
    // read it as missing.
    std::string bytes;
    DWORD error = 0;
    if (!ReadWholeFile(false, m_strIniPath, bytes, error) || !IsUtf8IniText(bytes))
        return nullptr;
    return std::make_shared<const CUtf8IniText>(bytes);
}

bool CKPXSetupINI::ReadValue(const CUtf8IniText* utf8, const char* section, const char* key, std::string& value) const
{
    if (utf8) {
        Utf8IniValue read;
        if (!utf8->Value(section, key, read) || read.text.empty())
            return false;
        // As the profile functions read it: at most 259 bytes, whole characters.
        value = read.text.substr(0, kValueBuffer - 1);
        value.resize(WholeCharactersLength(value));
        return true;
    }
    char buffer[kValueBuffer] = {};
    if (::GetPrivateProfileStringA(section, key, "", buffer, kValueBuffer, m_strIniPath.c_str()) == 0)
        return false;
    value = buffer;
    return true;
}

int CKPXSetupINI::GetSetCount() const
{
    return GetSetCount(Utf8Text().get());
}

int CKPXSetupINI::GetSetCount(const CUtf8IniText* utf8) const
{
    // The count comes back as an unsigned value: "-2" reads as a huge number
    // that, taken as int, is negative again, and a loop up to it adds nothing.
    if (utf8) {
        // As GetPrivateProfileIntA reads it: a sign, then the digits up to
        // the first other character.
        std::string count;
        if (!ReadValue(utf8, kToolSection, "NumColorProfileSets", count))
            return 0;
        unsigned value = 0;
        for (size_t i = count[0] == '-' ? 1 : 0; i < count.size() && count[i] >= '0' && count[i] <= '9'; ++i)
            value = value * 10 + static_cast<unsigned>(count[i] - '0');
        return static_cast<int>(count[0] == '-' ? 0u - value : value);
    }
    return static_cast<int>(::GetPrivateProfileIntA(kToolSection, "NumColorProfileSets", 0, m_strIniPath.c_str()));
}

BOOL CKPXSetupINI::GetSetName(int index, std::string& name) const
{
    return GetSetName(Utf8Text().get(), index, name);
}

BOOL CKPXSetupINI::GetSetName(const CUtf8IniText* utf8, int index, std::string& name) const
{
    char key[40];
    std::snprintf(key, sizeof key, "ColorProfileSetName%d", index + 1);
    return ReadValue(utf8, kToolSection, key, name) ? TRUE : FALSE;
}

std::vector<std::string> CKPXSetupINI::GetSetNames() const
{
    std::vector<std::string> names;
    const std::shared_ptr<const CUtf8IniText> utf8 = Utf8Text();
    const int sets = GetSetCount(utf8.get());
    const int count = sets < kMaxSets ? sets : kMaxSets;
    int gap = 0;
    for (int i = 0; i < count && gap < kMaxGap; ++i) {
        std::string name;
        if (GetSetName(utf8.get(), i, name)) {
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
    std::string value;
    if (!ReadValue(Utf8Text().get(), setName.c_str(), ProfileKeyName(kind), value))
        return FALSE;
    return ExpandProfilePath(value, path);
}

bool CKPXSetupINI::FindLostCharacter(const std::string& setName, int& line, unsigned& character) const
{
    const std::shared_ptr<const CUtf8IniText> utf8 = Utf8Text();
    if (!utf8)
        return false;
    std::vector<Utf8IniValue> values;
    const int sets = GetSetCount(utf8.get());
    const int count = sets < kMaxSets ? sets : kMaxSets;
    for (int i = 0; i < count; ++i) {
        char key[40];
        std::snprintf(key, sizeof key, "ColorProfileSetName%d", i + 1);
        Utf8IniValue name;
        if (utf8->Value(kToolSection, key, name) && name.text == setName) {
            values.push_back(name);
            break;
        }
    }
    for (const ProfileKind kind : kProfileSlots) {
        Utf8IniValue path;
        if (utf8->Value(setName, ProfileKeyName(kind), path))
            values.push_back(path);
    }
    for (const Utf8IniValue& value : values) {
        if (value.lost != 0) {
            line = value.lostLine;
            character = value.lost;
            return true;
        }
    }
    return false;
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
