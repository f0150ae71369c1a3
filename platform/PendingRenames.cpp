#include "platform/PendingRenames.h"

#include "classlib/Handle.h"

#include <windows.h>

#include <cstring>

namespace {

const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
const char kPendingValue[] = "PendingFileRenameOperations";
const wchar_t kPendingValueW[] = L"PendingFileRenameOperations";
// Rereads before giving up while other programs keep changing the list.
const int kTries = 8;

// The value is read and written in its own form, UTF-16: through the ANSI
// calls, a path outside the system code page would come back as "?" and be
// written back so.

// The value's bytes as stored; empty when it is missing, of another type or
// cannot be read.
std::vector<BYTE> StoredBytes(HKEY session)
{
    std::vector<BYTE> bytes;
    if (!Win32().RegQueryValueExW)
        return bytes;
    for (int i = 0; i < kTries; ++i) {
        DWORD type = 0, size = 0;
        if (Win32().RegQueryValueExW(session, kPendingValueW, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_MULTI_SZ || size == 0)
            break;
        bytes.resize(size);
        const LONG read = Win32().RegQueryValueExW(session, kPendingValueW, nullptr, &type, bytes.data(), &size);
        if (read == ERROR_SUCCESS && type == REG_MULTI_SZ) {
            bytes.resize(size);
            return bytes;
        }
        // Grown since it was measured: measured again.
        if (read != ERROR_MORE_DATA)
            break;
    }
    bytes.clear();
    return bytes;
}

// One string of the value: where its bytes lie (its terminator included,
// where it has one) and the path it names in the system code page.
struct StoredString {
    size_t begin = 0, end = 0;
    std::string path;
    bool exact = false; // the code page holds every character of it
};

std::string WithoutPrefixes(const std::string& entry)
{
    std::string path = entry;
    if (!path.empty() && path[0] == '!')
        path.erase(0, 1);
    if (path.compare(0, 4, "\\??\\") == 0)
        path.erase(0, 4);
    return path;
}

// The text in the system code page, and whether it gives the text back: a
// character the code page lacks becomes "?" or a look-alike.
bool ToCodePage(const std::wstring& wide, std::string& text)
{
    text.clear();
    if (wide.empty())
        return true;
    const int length = static_cast<int>(wide.size());
    const int needed = ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return false;
    text.resize(needed);
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &text[0], needed, nullptr, nullptr);
    std::wstring back(wide.size() + 1, L'\0');
    const int backLength =
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), needed, &back[0], static_cast<int>(back.size()));
    return backLength == length && back.compare(0, wide.size(), wide) == 0;
}

// The strings of the value, empty ones (a deletion's target) included.
std::vector<StoredString> Strings(const std::vector<BYTE>& bytes)
{
    std::vector<StoredString> strings;
    // An odd last byte is no character; it stays where it is.
    const size_t size = bytes.size() & ~size_t(1);
    for (size_t at = 0; at < size;) {
        std::wstring wide;
        size_t end = at;
        for (; end < size; end += 2) {
            const wchar_t c = static_cast<wchar_t>(bytes[end] | (bytes[end + 1] << 8));
            if (c == L'\0')
                break;
            wide += c;
        }
        // A deletion's empty target ends the list to a plain reader; the
        // value's size is the real end. The list's own final terminator is
        // no entry.
        if (wide.empty() && end + 2 >= size)
            break;
        StoredString s;
        s.begin = at;
        s.end = end < size ? end + 2 : end;
        s.exact = ToCodePage(wide, s.path);
        s.path = WithoutPrefixes(s.path);
        strings.push_back(s);
        at = s.end;
    }
    return strings;
}

// Source and target of each whole pair.
std::vector<PendingRename> Pairs(const std::vector<StoredString>& strings)
{
    std::vector<PendingRename> list;
    for (size_t i = 0; i + 1 < strings.size(); i += 2)
        list.push_back({strings[i].path, strings[i + 1].path});
    return list;
}

} // namespace

std::vector<PendingRename> PendingRenameList()
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return {};
    CRegKey session(opened);
    return Pairs(Strings(StoredBytes(session.Get())));
}

std::vector<std::string> PendingRenamePaths()
{
    std::vector<std::string> paths;
    for (const PendingRename& rename : PendingRenameList()) {
        paths.push_back(rename.source);
        if (!rename.target.empty())
            paths.push_back(rename.target);
    }
    return paths;
}

bool IsNamedIn(const std::vector<std::string>& paths, const std::string& path)
{
    for (const std::string& named : paths) {
        if (::lstrcmpiA(named.c_str(), path.c_str()) == 0)
            return true;
    }
    return false;
}

bool DropPendingRenames(const std::function<bool(const PendingRename&)>& drop, std::vector<PendingRename>* dropped)
{
    if (dropped)
        dropped->clear();
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &opened) !=
        ERROR_SUCCESS) {
        // Without the right to write it nothing goes: a failure where
        // something was to go.
        for (const PendingRename& rename : PendingRenameList()) {
            if (drop(rename))
                return false;
        }
        return true;
    }
    CRegKey session(opened);
    // The registry has no compare-and-swap: the list is read, the new one
    // made from it, and the list read again just before the write. Only when
    // it is still the same is the new one written, with nothing done between
    // that read and the write; an entry another program added meanwhile
    // makes the decision start over from the list as it is now.
    std::vector<BYTE> read = StoredBytes(session.Get());
    for (int i = 0; i < kTries; ++i) {
        const std::vector<StoredString> strings = Strings(read);
        std::vector<BYTE> kept;
        std::vector<PendingRename> picked;
        size_t from = 0, keptStrings = strings.size();
        for (size_t p = 0; p + 1 < strings.size(); p += 2) {
            // A path the code page cannot hold is no path of this tool.
            const PendingRename rename = {strings[p].path, strings[p + 1].path};
            if (!strings[p].exact || !strings[p + 1].exact || !drop(rename))
                continue;
            // The pair's bytes go; every other byte stays as read.
            kept.insert(kept.end(), read.begin() + from, read.begin() + strings[p].begin);
            from = strings[p + 1].end;
            keptStrings -= 2;
            picked.push_back(rename);
        }
        if (picked.empty())
            return true;
        if (!Win32().RegSetValueExW)
            return false;
        kept.insert(kept.end(), read.begin() + from, read.end());

        const std::vector<BYTE> again = StoredBytes(session.Get());
        if (again != read) {
            read = again;
            continue;
        }
        const bool written = keptStrings == 0
                                 ? ::RegDeleteValueA(session.Get(), kPendingValue) == ERROR_SUCCESS
                                 : Win32().RegSetValueExW(session.Get(), kPendingValueW, 0, REG_MULTI_SZ, kept.data(),
                                                          static_cast<DWORD>(kept.size())) == ERROR_SUCCESS;
        if (written && dropped)
            *dropped = picked;
        return written;
    }
    return false;
}
