#include "settings/DriverIniChange.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/FileReplace.h"
#include "platform/FileStamp.h"
#include "platform/FsRedirection.h"
#include "platform/OsClass.h"
#include "platform/WholeFile.h"
#include "settings/IniNames.h"

namespace {

// Tries before giving up while another program keeps writing the file.
const int kTries = 4;

// The copy holds what the file holds: putting it in place would change nothing.
bool SameText(bool governed, const std::string& temp, const std::string& path)
{
    std::string copied, original;
    DWORD error = 0;
    return ReadWholeFile(governed, temp, copied, error) && ReadWholeFile(governed, path, original, error) &&
           copied == original;
}

// NT reads a file named under IniFileMapping from the registry: its text is
// not what the profile functions read.
bool MappedToRegistry(const std::string& path)
{
    const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\" + FileNamePart(path);
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    CRegKey mapping(opened);
    return true;
}

} // namespace

namespace {

// Values read from the text in one pass.
class CTextValues : public IIniValues {
public:
    explicit CTextValues(const std::string& text) : m_reader(text) {}
    bool Value(const std::string& section, const std::string& key, std::string& value) override
    {
        return m_reader.Value(section, key, value);
    }
    bool EveryValue(const std::string& key, std::vector<std::string>& values) override
    {
        return m_reader.EveryValue(key, values);
    }
    bool HasLines(const std::string& section, bool& has) override { return m_reader.HasLines(section, has); }

private:
    CIniTextReader m_reader;
};

// Values read through the profile functions.
class CProfileValues : public IIniValues {
public:
    explicit CProfileValues(CDriverINI& file) : m_file(file) {}
    bool Value(const std::string& section, const std::string& key, std::string& value) override
    {
        value = m_file.ReadKey(section, key);
        return true;
    }
    bool EveryValue(const std::string& key, std::vector<std::string>& values) override
    {
        return m_file.EveryValue(key, values);
    }
    bool HasLines(const std::string& section, bool& has) override
    {
        has = m_file.HasSection(section);
        return true;
    }

private:
    CDriverINI& m_file;
};

// The section's line split at its first "=", blanks around both parts
// dropped as the profile functions drop them; false for a line without "="
// or without a key.
bool SplitKeyLine(const std::string& line, std::string& key, std::string& value)
{
    const size_t equals = line.find('='); // "=" is never a trail byte
    const auto trimmed = [](const std::string& text) {
        const size_t first = text.find_first_not_of(" \t");
        return first == std::string::npos ? std::string()
                                          : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    };
    if (equals == std::string::npos)
        return false;
    key = trimmed(line.substr(0, equals));
    value = trimmed(line.substr(equals + 1));
    return !key.empty();
}

// The changes made through the profile functions, one call at a time: the
// measure the text edit is held against. A key set is a key write; keys
// deleted are key deletions, and the section's deletion once it gives back
// no line; a move writes each line of the section under the new name and
// deletes the section.
bool Replay(CDriverINI& file, const std::vector<IniSectionChange>& changes, DWORD& error)
{
    const auto failed = [&error] {
        error = ::GetLastError();
        if (error == 0)
            error = ERROR_WRITE_FAULT;
        return false;
    };
    for (const IniSectionChange& change : changes) {
        if (change.deleteKeys) {
            // A section that gives back no line goes, also one that gave
            // none before (only comments, or nothing).
            for (const auto& key : change.keys) {
                if (!file.WriteKey(change.section, key.first, nullptr))
                    return failed();
            }
            if (!file.HasSection(change.section))
                file.DeleteSection(change.section); // false where there was none
            continue;
        }
        for (const auto& key : change.keys) {
            if (!file.WriteKey(change.section, key.first, key.second.c_str()))
                return failed();
        }
        if (change.moveTo.empty())
            continue;
        // A change of case only: the section serves the new name already.
        const IniNameMatch same = MatchIniName(change.section, change.moveTo);
        if (same == IniNameMatch::Same)
            continue;
        std::vector<std::pair<std::string, std::string>> keys;
        for (const std::string& line : file.ReadSectionLines(change.section)) {
            keys.emplace_back();
            if (same == IniNameMatch::Doubtful || !SplitKeyLine(line, keys.back().first, keys.back().second)) {
                error = ERROR_INVALID_DATA;
                return false;
            }
        }
        if (keys.empty())
            continue;
        for (const auto& key : keys) {
            if (!file.WriteKey(change.moveTo, key.first, key.second.c_str()))
                return failed();
        }
        if (!file.DeleteSection(change.section))
            return failed();
    }
    return true;
}

} // namespace

CDriverIniWrite::CDriverIniWrite() : m_file(new CDriverINI())
{
    m_mapped = GetOsClass() != OsWin9x && MappedToRegistry(m_file->GetIniPath());
}

CDriverIniWrite::CDriverIniWrite(const std::string& path, bool governed) : m_file(new CDriverINI(path, governed))
{
    m_mapped = GetOsClass() != OsWin9x && MappedToRegistry(path);
}

CDriverIniWrite::~CDriverIniWrite()
{
    Discard();
}

void CDriverIniWrite::Discard()
{
    if (!m_temp.empty())
        RemoveTemp(m_file->NoFsRedirection(), m_temp);
    m_temp.clear();
    m_needed = false;
}

bool CDriverIniWrite::Prepare(const PlanIniChanges& plan, DWORD& error, const ReadIniChanged& changed)
{
    m_plan = plan;
    m_changed = changed;
    error = 0;
    // A file left aside by a replacement cut short goes back before the file
    // is read; were it left, the changes would start from a missing file.
    if (!m_recovered) {
        error = RecoverLeftovers(m_file->NoFsRedirection(), DirectoryPart(m_file->GetIniPath()));
        if (error != 0)
            return false;
        m_recovered = true;
    }
    return Attempt(error);
}

bool CDriverIniWrite::Attempt(DWORD& error)
{
    Discard();
    const bool governed = m_file->NoFsRedirection();
    const std::string& path = m_file->GetIniPath();
    // On 95/98/Me the system's profile cache may hold writes of another
    // program: they reach the disk before the file is read.
    if (GetOsClass() == OsWin9x)
        m_file->FlushProfileCache();
    m_before = StampOf(governed, path);
    m_onePass = false;
    if (!m_mapped) {
        std::string text;
        if (!ReadWholeFile(governed, path, text, error))
            return false;
        CTextValues values(text);
        std::vector<IniSectionChange> changes;
        CIniTextEdit edit(text);
        if (m_plan(values, changes) && edit.Apply(changes)) {
            EditedIniText edited;
            edit.Pieces(edited);
            bool readable = true;
            if (m_changed) {
                const std::string joined = edited.Joined();
                CTextValues after(joined);
                readable = m_changed(after);
            }
            if (readable) {
                m_onePass = true;
                if (edited.Holds(text))
                    return true;
                if (!WriteTempBytes(governed, DirectoryPart(path), edited.pieces, m_temp)) {
                    error = ::GetLastError();
                    return false;
                }
                m_needed = true;
                return true;
            }
        }
    }
    return PrepareByProfileFunctions(error);
}

bool CDriverIniWrite::PrepareByProfileFunctions(DWORD& error)
{
    const bool governed = m_file->NoFsRedirection();
    const std::string& path = m_file->GetIniPath();
    if (!WriteTempCopy(governed, m_before.exists ? path : std::string(), DirectoryPart(path), m_temp)) {
        // A missing folder (the per-user one under Terminal Services is made
        // by nobody but the driver) is the usual reason.
        error = ::GetLastError();
        return false;
    }
    bool made;
    {
        CDriverINI copy(m_temp, governed);
        CProfileValues values(copy);
        std::vector<IniSectionChange> changes;
        made = m_plan(values, changes);
        if (!made)
            error = ERROR_INVALID_DATA;
        made = made && Replay(copy, changes, error);
        if (made && m_changed && !m_changed(values)) {
            error = ::GetLastError() != 0 ? ::GetLastError() : ERROR_READ_FAULT;
            made = false;
        }
        copy.FlushProfileCache();
    }
    if (made && !FlushFileToDisk(governed, m_temp)) {
        error = ::GetLastError();
        made = false;
    }
    if (!made) {
        Discard();
        return false;
    }
    if (m_before.exists && SameText(governed, m_temp, path)) {
        Discard();
        return true;
    }
    m_needed = true;
    return true;
}

TextChangeResult CDriverIniWrite::Commit(DWORD& error)
{
    error = 0;
    const bool governed = m_file->NoFsRedirection();
    const std::string& path = m_file->GetIniPath();
    for (int i = 0; i < kTries; ++i) {
        if (i > 0 && !Attempt(error))
            return TextChangeFailed;
        if (!m_needed)
            return TextChangeNotNeeded;
        // On 95/98/Me the profile cache is the system's, shared with every
        // program: a write of another program may still be in it, and it
        // must reach the disk to be seen (and not be written over the
        // replacement later).
        if (GetOsClass() == OsWin9x)
            m_file->FlushProfileCache();
        if (!(StampOf(governed, path) == m_before))
            continue;
        error = ReplaceWithTemp(governed, m_temp, path);
        if (error != 0) {
            Discard();
            return TextChangeFailed;
        }
        m_temp.clear();
        m_needed = false;
        // The shared cache of 95/98/Me must not keep the old text.
        if (GetOsClass() == OsWin9x)
            m_file->FlushProfileCache();
        return TextChangeDone;
    }
    Discard();
    error = 0;
    return TextChangeFailed;
}
