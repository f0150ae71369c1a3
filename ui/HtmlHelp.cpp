#include "ui/HtmlHelp.h"

#include "classlib/SystemLibrary.h"
#include "classlib/Win32Api.h"

#include <string>

namespace {

// Where the HTML Help control is registered: the in-process server of its
// ActiveX object.
const char kRegisteredServerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const char kControlName[] = "hhctrl.ocx";
const WORD kHtmlHelpAOrdinal = 14;

// The registered path of the control; empty when it is not registered.
std::string RegisteredControlPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kRegisteredServerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();

    char value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD size = sizeof(value) - 1; // room for a terminator the value may lack
    LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    if (type == REG_SZ)
        return value;

    char expanded[MAX_PATH] = {};
    DWORD n = ExpandEnvironmentStringsA(value, expanded, MAX_PATH);
    return n > 0 && n <= MAX_PATH ? std::string(expanded) : std::string();
}

// A drive or UNC path: a registered bare name would be looked for in the
// program's folder first.
bool IsFullPath(const std::string& path)
{
    return (path.size() > 2 && path[1] == ':' && path[2] == '\\') || path.compare(0, 2, "\\\\") == 0;
}

} // namespace

HWND CHtmlHelp::Call(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    if (!IsLoaded() && !Load())
        return nullptr;
    return m_pfnHtmlHelp(hwndCaller, pszFile, uCommand, dwData);
}

bool CHtmlHelp::Load()
{
    CLibraryHandle library;
    std::string registered = RegisteredControlPath();
    if (IsFullPath(registered))
        library.Reset(Win32().LoadLibraryExA(registered.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!library.IsValid())
        library.Reset(LoadSystemLibrary(kControlName));
    if (!library.IsValid())
        return false;

    FARPROC entry = Win32().GetProcAddress(library.Get(), MAKEINTRESOURCEA(kHtmlHelpAOrdinal));
    if (!entry)
        return false; // the library goes again with `library`

    m_pfnHtmlHelp = reinterpret_cast<HtmlHelpProc>(entry);
    m_library = std::move(library);
    return true;
}

CHtmlHelp& TheHtmlHelp()
{
    // Never destroyed: help windows that were not closed would otherwise
    // outlive the control's code during the process's shutdown. The system
    // releases the library with the process.
    static CHtmlHelp* instance = new CHtmlHelp;
    return *instance;
}
