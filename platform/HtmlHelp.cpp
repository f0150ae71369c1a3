#include "platform/HtmlHelp.h"

#include "classlib/AsciiCase.h"
#include "classlib/SystemLibrary.h"
#include "classlib/Win32Api.h"

#include <cstring>
#include <string>

namespace {

// Where the HTML Help control is registered: the in-process server of its
// ActiveX object, in the machine's part of the classes. HKEY_CLASSES_ROOT is
// not asked: from 2000 on it shows the user's own classes
// (HKCU\Software\Classes) first, which the user may write without
// elevation, and the program runs elevated.
const char kRegisteredServerKey[] = "Software\\Classes\\CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const char kControlName[] = "hhctrl.ocx";
const WORD kHtmlHelpAOrdinal = 14;

// The control's path as the machine's administrators registered it; empty
// when it is not registered. A value with environment references is not
// taken: they would be expanded with the user's environment, which the user
// may change without elevation.
std::string RegisteredControlPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegisteredServerKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return std::string();

    char value[MAX_PATH] = {};
    DWORD type = 0;
    DWORD size = sizeof(value) - 1; // room for a terminator the value may lack
    LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || std::strchr(value, '%'))
        return std::string();
    return value;
}

// A path on a drive of this machine ("C:\..."). A bare or relative name would
// be looked for in the program's folder first; a share's path ("\\server\...")
// would load code from another machine into the elevated process.
bool IsLocalFullPath(const std::string& path)
{
    const unsigned drive = AsciiUpper(static_cast<unsigned char>(path.empty() ? 0 : path[0]));
    return path.size() > 3 && drive >= 'A' && drive <= 'Z' && path[1] == ':' && path[2] == '\\';
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
    if (IsLocalFullPath(registered))
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
