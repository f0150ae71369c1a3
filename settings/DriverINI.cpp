#include "settings/DriverINI.h"

#include "platform/OsClass.h"
#include "platform/PlatformFlags.h"
#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "settings/DriverIniLocation.h"
#include "platform/FsRedirection.h"
#include "printers/PrinterNameRules.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

const char kSetNameKey[] = "ColorProfileSetName";
const DWORD kValueBuffer = 260;

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

CDriverINI::~CDriverINI() = default;

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
    CFileHandle file(SafeCreateFile(m_strIniPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
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

BOOL CDriverINI::WriteProfileSetName(const std::string& printer, const std::string& setName)
{
    return SafeWriteProfileString(printer.c_str(), kSetNameKey, setName.c_str(), m_strIniPath.c_str());
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

BOOL CDriverINI::WriteProfileFile(const std::string& printer, ProfileKind kind, const std::string& profilePath)
{
    // The driver finds the files in its own directory, so only the name counts.
    return SafeWriteProfileString(printer.c_str(), ProfileKeyName(kind), FileNamePart(profilePath).c_str(),
                                  m_strIniPath.c_str());
}

BOOL CDriverINI::WriteRecord(const std::string& printer, const std::string& setName, const RecordedFile (&files)[4])
{
    std::vector<std::pair<std::string, std::string>> record;
    record.emplace_back(kSetNameKey, setName);
    for (const RecordedFile& file : files)
        record.emplace_back(ProfileKeyName(file.kind), FileNamePart(file.path));

    // Measured again: the file may have grown since (other records written).
    m_dwFileSize = MeasureFile();
    const bool held = LoadSection(printer) != FALSE;
    if (!held && HasSection(printer)) {
        // A section there that cannot be read whole: written key by key, so
        // that none of its other keys is lost.
        BOOL written = TRUE;
        for (const auto& key : record) {
            if (!SafeWriteProfileString(printer.c_str(), key.first.c_str(), key.second.c_str(), m_strIniPath.c_str()))
                written = FALSE;
        }
        m_dwFileSize = MeasureFile();
        return written;
    }

    // key=value (or a bare line) each, as the section read gives them.
    std::vector<std::string> lines;
    if (held) {
        for (const char* entry = static_cast<const char*>(m_pSection.Get()); *entry; entry += strlen(entry) + 1)
            lines.emplace_back(entry);
        FreeSectionBuffer();
    }
    bool changed = false;
    for (const auto& key : record) {
        bool found = false;
        for (std::string& line : lines) {
            const std::string name = line.substr(0, line.find('='));
            if (MbCompareNoCase(name, key.first) == 0) {
                const std::string entry = name + "=" + key.second;
                changed = changed || line != entry;
                line = entry;
                found = true;
                break;
            }
        }
        if (!found) {
            lines.push_back(key.first + "=" + key.second);
            changed = true;
        }
    }
    // The record is there already: a run again writes nothing.
    if (!changed)
        return TRUE;
    std::string block;
    for (const std::string& line : lines) {
        block += line;
        block += '\0';
    }
    block += '\0';
    const BOOL written = SafeWriteProfileSection(printer.c_str(), block.c_str(), m_strIniPath.c_str());
    // So that the section just written can be read back whole.
    m_dwFileSize = MeasureFile();
    return written;
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

BOOL CDriverINI::MoveSection(const std::string& from, const std::string& to)
{
    if (!LoadSection(from))
        return HasSection(to) ? TRUE : FALSE;
    BOOL written = TRUE;
    if (!HasSection(to)) {
        written = SaveSection(to);
    } else {
        // key=value\0 ... \0\0, as the section read gives it.
        for (const char* entry = static_cast<const char*>(m_pSection.Get()); *entry; entry += strlen(entry) + 1) {
            const char* equals = strchr(entry, '=');
            if (!equals)
                continue;
            const std::string key(entry, equals);
            if (!SafeWriteProfileString(to.c_str(), key.c_str(), equals + 1, m_strIniPath.c_str()))
                written = FALSE;
        }
    }
    if (!written)
        return FALSE;
    return DeleteSection(from);
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

HANDLE CDriverINI::SafeCreateFile(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                                  DWORD creation, DWORD flagsAndAttributes, HANDLE templateFile)
{
    return CallWithoutFsRedirection(m_bNoFsRedirection, [&] {
        return Win32().CreateFileA(fileName, access, shareMode, security, creation, flagsAndAttributes, templateFile);
    });
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
