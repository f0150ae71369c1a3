#include "settings/DriverINI.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "platform/FsRedirection.h"
#include "platform/OsClass.h"
#include "platform/PlatformFlags.h"
#include "platform/SafeFileAccess.h"
#include "printers/PrinterNameRules.h"
#include "settings/DriverIniLocation.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

const char kSetNameKey[] = "ColorProfileSetName";
const DWORD kValueBuffer = 260;

} // namespace

std::vector<std::string> RecordKeys()
{
    std::vector<std::string> keys{kSetNameKey};
    for (const ProfileKind kind : kProfileSlots)
        keys.push_back(ProfileKeyName(kind));
    return keys;
}

std::vector<SectionEntry> RecordEntries(const std::string& setName, const std::string profilePaths[4])
{
    const std::vector<std::string> keys = RecordKeys();
    std::vector<SectionEntry> entries{{keys[0], setName}};
    for (int i = 0; i < 4; ++i)
        entries.emplace_back(keys[i + 1], FileNamePart(profilePaths[i]));
    return entries;
}

namespace {

// The lines of a section read's block (key=value\0 ... \0\0), up to end.
std::vector<std::string> LinesOf(const char* block, const char* end)
{
    std::vector<std::string> lines;
    for (const char* line = block; line < end && *line; line += strlen(line) + 1)
        lines.emplace_back(line);
    return lines;
}

} // namespace

CDriverINI::CDriverINI()
{
    // Under WOW64 the file lies in the native system directory unless
    // Terminal Services keep it per user. The flag must be set before the
    // file is measured, since that already goes through the wrappers.
    m_bNoFsRedirection = RunningOnWow64() && !TerminalServicesActive();
    m_dwFileSize = LocateIniFile();
}

CDriverINI::CDriverINI(const std::string& path, bool noFsRedirection)
    : m_strIniPath(path), m_bNoFsRedirection(noFsRedirection)
{
    // A copy just made has nothing cached: measured without the flush, which
    // would have the profile functions read the whole file only to drop it.
    m_dwFileSize = MeasureFile();
}

DWORD CDriverINI::LocateIniFile()
{
    m_strIniPath = CurrentDriverIniPath();
    return GetIniFileSize();
}

DWORD CDriverINI::GetIniFileSize()
{
    // On 95/98/Me the profile cache is the system's: it may hold a copy
    // newer than the disk. Elsewhere every write goes to the disk at once,
    // and a flush would only have the profile functions read the whole file
    // again, which for a file of thousands of printers takes long.
    if (GetOsClass() == OsWin9x)
        SafeWriteProfileString(nullptr, nullptr, nullptr, m_strIniPath.c_str());
    return MeasureFile();
}

DWORD CDriverINI::MeasureFile()
{
    CFileHandle file(::SafeCreateFile(m_strIniPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr,
                                      m_bNoFsRedirection));
    if (!file.IsValid())
        return 0;
    DWORD size = ::GetFileSize(file.Get(), nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

BOOL CDriverINI::ReadProfileSetName(const std::string& printer, std::string& setName)
{
    // What the file holds under the trimmed name belongs to another printer.
    if (!IsRecordablePrinterName(printer))
        return FALSE;
    char value[kValueBuffer] = {};
    if (SafeGetProfileString(printer.c_str(), kSetNameKey, "", value, kValueBuffer, m_strIniPath.c_str()) == 0)
        return FALSE;
    setName = value;
    return TRUE;
}

BOOL CDriverINI::ReadProfileFile(const std::string& printer, ProfileKind kind, std::string& fileName)
{
    if (!IsRecordablePrinterName(printer))
        return FALSE;
    char value[kValueBuffer] = {};
    if (SafeGetProfileString(printer.c_str(), ProfileKeyName(kind), "", value, kValueBuffer, m_strIniPath.c_str()) == 0)
        return FALSE;
    fileName = value;
    return TRUE;
}

BOOL CDriverINI::LoadSection(const std::string& printer)
{
    FreeSectionBuffer();
    if (!AllocSectionBuffer())
        return FALSE;

    // A section cannot be larger than the file it is in, so one read into a
    // buffer of the file's size takes it whole; a count of size - 2 is the
    // system's word that it did not fit after all (the file grew).
    char* buffer = static_cast<char*>(m_pSection.Get());
    DWORD count = SafeGetProfileSection(printer.c_str(), buffer, m_dwFileSize, m_strIniPath.c_str());
    if (count == 0 || count == m_dwFileSize - 2) {
        FreeSectionBuffer();
        return FALSE;
    }
    return TRUE;
}

BOOL CDriverINI::SaveSection(const std::string& printer)
{
    if (!m_pSection.IsValid())
        return FALSE;
    // The write's own result: a caller that moves a section deletes the old
    // one only once the new one is really written.
    return SafeWriteProfileSection(printer.c_str(), static_cast<const char*>(m_pSection.Get()), m_strIniPath.c_str());
}

BOOL CDriverINI::DeleteSection(const std::string& printer)
{
    return SafeWriteProfileString(printer.c_str(), nullptr, nullptr, m_strIniPath.c_str());
}

bool CDriverINI::EveryValue(const std::string& key, std::vector<std::string>& values)
{
    // The profile functions read a file they cannot open as an empty one:
    // a file that cannot be opened now (a scanner holding it) names nothing
    // for sure.
    {
        CFileHandle file(::SafeCreateFile(m_strIniPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                          nullptr, OPEN_EXISTING, 0, nullptr, m_bNoFsRedirection));
        if (!file.IsValid())
            return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    for (const std::string& section : SectionNames()) {
        std::string value = ReadKey(section, key);
        if (!value.empty())
            values.push_back(std::move(value));
    }
    return true;
}

BOOL CDriverINI::WriteKey(const std::string& section, const std::string& key, const char* value)
{
    return SafeWriteProfileString(section.c_str(), key.c_str(), value, m_strIniPath.c_str());
}

std::string CDriverINI::ReadKey(const std::string& section, const std::string& key)
{
    char value[kValueBuffer] = {};
    SafeGetProfileString(section.c_str(), key.c_str(), "", value, kValueBuffer, m_strIniPath.c_str());
    return value;
}

namespace {

// A block of strings the profile functions fill (name\0 ... \0\0), in a
// buffer grown until it fits: a count of its size less two says it did not.
template <typename Read>
std::vector<std::string> ReadBlock(Read read)
{
    std::vector<char> block(4096);
    DWORD count = 0;
    for (;;) {
        count = read(block.data(), static_cast<DWORD>(block.size()));
        if (count + 2 < block.size())
            break;
        block.assign(block.size() * 2, '\0');
    }
    return LinesOf(block.data(), block.data() + count);
}

} // namespace

std::vector<std::string> CDriverINI::ReadSectionLines(const std::string& section)
{
    return ReadBlock([&](char* buffer, DWORD size) {
        return SafeGetProfileSection(section.c_str(), buffer, size, m_strIniPath.c_str());
    });
}

std::vector<std::string> CDriverINI::SectionNames()
{
    return ReadBlock([&](char* buffer, DWORD size) {
        return SafeGetProfileString(nullptr, nullptr, "", buffer, size, m_strIniPath.c_str());
    });
}

BOOL CDriverINI::FlushProfileCache()
{
    // Returns FALSE on success too (Wine and Windows alike): nothing to tell.
    SafeWriteProfileString(nullptr, nullptr, nullptr, m_strIniPath.c_str());
    return TRUE;
}

bool CDriverINI::HasSection(const std::string& printer)
{
    char probe[4] = {};
    return SafeGetProfileSection(printer.c_str(), probe, sizeof probe, m_strIniPath.c_str()) != 0;
}

BOOL CDriverINI::AllocSectionBuffer()
{
    if (m_dwFileSize == 0)
        return FALSE;
    // Fixed and zero-filled: the extra byte keeps the block terminated even
    // when the read fills the whole size it was given.
    m_pSection.Reset(Win32().GlobalAlloc(GPTR, m_dwFileSize + 1));
    return m_pSection.IsValid();
}

void CDriverINI::FreeSectionBuffer()
{
    m_pSection.Reset();
}

DWORD CDriverINI::SafeGetProfileSection(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName)
{
    return CallWithoutFsRedirection(m_bNoFsRedirection,
                                    [&] { return ::GetPrivateProfileSectionA(section, buffer, size, fileName); });
}

BOOL CDriverINI::SafeWriteProfileSection(LPCSTR section, LPCSTR data, LPCSTR fileName)
{
    return CallWithoutFsRedirection(m_bNoFsRedirection,
                                    [&] { return Win32().WritePrivateProfileSectionA(section, data, fileName); });
}

DWORD CDriverINI::SafeGetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                                       LPCSTR fileName)
{
    return CallWithoutFsRedirection(m_bNoFsRedirection, [&] {
        return ::GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
    });
}

BOOL CDriverINI::SafeWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    return CallWithoutFsRedirection(m_bNoFsRedirection,
                                    [&] { return Win32().WritePrivateProfileStringA(section, key, value, fileName); });
}
