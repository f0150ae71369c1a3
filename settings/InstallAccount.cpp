#include "settings/InstallAccount.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/FileReplace.h"
#include "platform/FsRedirection.h"
#include "platform/PlatformFlags.h"
#include "platform/WholeFile.h"

#include <string_view>

namespace {

const char kAccountName[] = "KPXSETUP.LST";
const char kKeptSuffix[] = ".~kpxkept";
// The first line, which tells a reader what the file is; any other line is
// an entry: digest, 1 or 0 (original kept), size, last-write time (as a
// FILETIME's 64 bits) and target, tab between each.
const char kHeader[] = "; KPXSetup: profile files this tool put in place. Do not edit.";
const size_t kDigestLength = 64;

// A decimal number up to the next tab, which it passes.
bool ParseNumber(std::string_view& rest, unsigned long long& number)
{
    number = 0;
    size_t i = 0;
    for (; i < rest.size() && rest[i] >= '0' && rest[i] <= '9' && i < 20; ++i)
        number = number * 10 + static_cast<unsigned>(rest[i] - '0');
    if (i == 0 || i >= rest.size() || rest[i] != '\t')
        return false;
    rest.remove_prefix(i + 1);
    return true;
}

bool ParseEntry(std::string_view line, InstalledFile& file)
{
    if (line.size() < kDigestLength + 4 || line[kDigestLength] != '\t' || line[kDigestLength + 2] != '\t')
        return false;
    for (size_t i = 0; i < kDigestLength; ++i) {
        const char c = line[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    }
    const char kept = line[kDigestLength + 1];
    if (kept != '0' && kept != '1')
        return false;
    file.digest = std::string(line.substr(0, kDigestLength));
    file.originalKept = kept == '1';
    std::string_view rest = line.substr(kDigestLength + 3);
    if (!ParseNumber(rest, file.size) || !ParseNumber(rest, file.written) || rest.empty())
        return false;
    file.target = std::string(rest);
    return true;
}

} // namespace

std::string KeptOriginalPath(const std::string& target)
{
    return target + kKeptSuffix;
}

CInstallAccount::CInstallAccount() : m_governed(RunningOnWow64() != FALSE)
{
    char systemDir[MAX_PATH + 1] = {};
    Win32().GetSystemDirectoryA(systemDir, MAX_PATH);
    m_path = std::string(systemDir);
    if (m_path.empty() || m_path.back() != '\\')
        m_path += '\\';
    m_path += kAccountName;
}

CInstallAccount::CInstallAccount(const std::string& path, bool governed) : m_path(path), m_governed(governed)
{
}

bool CInstallAccount::Load(DWORD& error)
{
    m_files.clear();
    // A replacement of the account cut short leaves its old text aside on
    // 95/98/Me: it goes back first. (Only its own: the folder's other
    // leftovers may be temporary files of a copy under way.)
    if ((error = RecoverBackupOf(m_governed, m_path)) != 0)
        return false;
    std::string text;
    if (!ReadWholeFile(m_governed, m_path, text, error))
        return false;
    std::string_view rest = text;
    bool first = true;
    while (!rest.empty()) {
        const size_t end = rest.find("\r\n");
        if (end == std::string_view::npos) {
            error = ERROR_INVALID_DATA;
            return false;
        }
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 2);
        InstalledFile entry;
        if (first ? line != kHeader : !ParseEntry(line, entry)) {
            error = ERROR_INVALID_DATA;
            return false;
        }
        if (!first)
            Put(entry);
        first = false;
    }
    error = 0;
    return true;
}

const InstalledFile* CInstallAccount::Find(const std::string& target) const
{
    for (const InstalledFile& file : m_files) {
        if (::lstrcmpiA(file.target.c_str(), target.c_str()) == 0)
            return &file;
    }
    return nullptr;
}

void CInstallAccount::Put(const InstalledFile& file)
{
    for (InstalledFile& held : m_files) {
        if (::lstrcmpiA(held.target.c_str(), file.target.c_str()) == 0) {
            held = file;
            return;
        }
    }
    m_files.push_back(file);
}

void CInstallAccount::Drop(const std::string& target)
{
    for (auto it = m_files.begin(); it != m_files.end(); ++it) {
        if (::lstrcmpiA(it->target.c_str(), target.c_str()) == 0) {
            m_files.erase(it);
            return;
        }
    }
}

bool CInstallAccount::Save(DWORD& error)
{
    error = 0;
    if (m_files.empty()) {
        error = DeleteNow(m_governed, m_path);
        if (error == ERROR_FILE_NOT_FOUND)
            error = 0;
        return error == 0;
    }
    std::string text = std::string(kHeader) + "\r\n";
    for (const InstalledFile& file : m_files)
        text += file.digest + "\t" + (file.originalKept ? "1" : "0") + "\t" + std::to_string(file.size) + "\t" +
                std::to_string(file.written) + "\t" + file.target + "\r\n";
    std::string temp;
    if (!WriteTempBytes(m_governed, DirectoryPart(m_path), {text}, temp)) {
        error = ::GetLastError();
        return false;
    }
    error = ReplaceWithTemp(m_governed, temp, m_path);
    if (error != 0)
        RemoveTemp(m_governed, temp);
    return error == 0;
}
