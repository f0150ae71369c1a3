#include "app/KPXSetupApp.h"

#include "operation/ApplyStopText.h"
#include "platform/FileExists.h"
#include "platform/OsClass.h"
#include "platform/PlatformFlags.h"
#include "classlib/ModuleFileName.h"
#include "classlib/PathParts.h"
#include "classlib/WaitCursor.h"
#include "classlib/Win32Api.h"
#include "res/resource.h"
#include "ui/KPXSetupDlg.h"

#include <mbstring.h>
#include <utility>
#include <vector>

namespace {

const char kGlobalMutexName[] = "Global\\KPXSetupMutex";
const char kSessionMutexName[] = "LocalKPXSetupMutex";

// The system's predefined dialog class.
const ATOM kDialogClassAtom = 0x8002;

// How long a second start waits for the running copy's window to answer.
const UINT kActivateProbeMs = 500;

// MUTEX_ALL_ACCESS: the rights a copy of our own user gets on the mutex.
const DWORD kMutexAllAccess = 0x1F0001;

void ShowStartupError(const std::string& text)
{
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR);
}

} // namespace

CKPXSetupApp* GetKPXSetupApp()
{
    return static_cast<CKPXSetupApp*>(AfxGetApp());
}

CKPXSetupApp::CKPXSetupApp() : CWinApp(nullptr)
{
    InitPlatformFlags();
}

CKPXSetupApp::~CKPXSetupApp() = default;

BOOL CKPXSetupApp::InitInstance()
{
    const CommandOptions options = ParseCommandLine(m_strCmdLine);
    if (options.mode != CommandInteractive) {
        m_nExitCode = RunUnattended(options);
        return FALSE;
    }

    AfxEnableControlContainer();

    if (!CheckOtherSession())
        return FALSE;

    DWORD mutexError = 0;
    if (!AcquireInstanceMutex(InstanceMutexName(), mutexError)) {
        if (m_hMutex)
            ActivateRunningCopy();  // another copy runs
        return FALSE;
    }

    InitModuleDir();

    if (!CheckDriverInstalled())
        return FALSE;
    if (!CheckIniFileExists())
        return FALSE;

    RunMainDialog();
    return FALSE;
}

const char* CKPXSetupApp::InstanceMutexName()
{
    // NT 4.0 has no machine-wide namespace, and 95/98/Me refuse a backslash
    // in an object name and have one session anyway: the session mutex is
    // the only guard there.
    const OsClass os = GetOsClass();
    return os == OsNT4 || os == OsWin9x ? kSessionMutexName : kGlobalMutexName;
}

bool CKPXSetupApp::OtherUserRuns()
{
    if (InstanceMutexName() != kGlobalMutexName)
        return false;
    // Only a copy of another user's makes the open fail for access.
    CHandle existing(Win32().OpenMutexA(kMutexAllAccess, FALSE, kGlobalMutexName));
    return !existing.IsValid() && GetLastError() == ERROR_ACCESS_DENIED;
}

void CKPXSetupApp::RunMainDialog()
{
    CKPXSetupDlg dlg(ToolSettings());
    dlg.UsePrinters(m_printers);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    // The dialog object goes with this frame: nothing may reach it as the
    // main window afterwards (message boxes of ExitInstance, a test's next
    // start).
    m_pMainWnd = nullptr;
}

int CKPXSetupApp::ExitInstance()
{
    ReleaseInstanceMutex();
    return CWinApp::ExitInstance();
}

void CKPXSetupApp::GetIniFilePath(std::string& path) const
{
    path = m_strModuleDir + "\\" + m_strProfileName;
}

CKPXSetupINI CKPXSetupApp::ToolSettings() const
{
    std::string path;
    GetIniFilePath(path);
    return CKPXSetupINI(path, m_strModuleDir);
}

bool CKPXSetupApp::CheckOtherSession()
{
    // No copy runs anywhere, or a copy of this user's, which
    // AcquireInstanceMutex deals with.
    if (!OtherUserRuns())
        return true;

    // The machine-wide mutex belongs to another user.
    if (ActivateRunningCopy())
        return false;

    CHandle guard(Win32().CreateMutexA(nullptr, TRUE, kSessionMutexName));
    if (guard.IsValid() && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another start in this session is showing the message right now.
        m_sessionGuard = std::move(guard);
        return false;
    }

    // Holding the guard while the message is up keeps further starts in
    // this session silent.
    ShowStartupError(LoadResString(IDS_OTHER_USER));
    if (guard.IsValid())
        Win32().ReleaseMutex(guard.Get());
    return false;
}

bool CKPXSetupApp::AcquireInstanceMutex(const char* name, DWORD& error)
{
    m_hMutex = Win32().CreateMutexA(nullptr, TRUE, name);
    const DWORD lastError = GetLastError();
    error = m_hMutex ? 0 : lastError;
    return m_hMutex && lastError != ERROR_ALREADY_EXISTS;
}

bool CKPXSetupApp::ActivateRunningCopy()
{
    HWND running = Win32().FindWindowA(MAKEINTATOM(kDialogClassAtom), m_strAppName.c_str());
    if (!running)
        return false;
    // Bringing a window forward waits for the thread that owns it. A copy
    // still filling its dialog, busy or hung would hold this start for as
    // long, so the window is asked first, briefly; without an answer this
    // start ends at once and leaves the window where it is.
    DWORD_PTR ignored = 0;
    if (!Win32().SendMessageTimeoutA(running, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kActivateProbeMs, &ignored))
        return true;
    if (Win32().IsIconic(running))
        Win32().ShowWindow(running, SW_SHOWNORMAL);
    else
        Win32().BringWindowToTop(running);
    Win32().SetForegroundWindow(running);
    return true;
}

void CKPXSetupApp::InitModuleDir()
{
    m_strModuleDir = DirectoryPart(ModuleFileName(m_hInstance));
}

bool CKPXSetupApp::CheckDriverInstalled()
{
    // The enumeration the main dialog lists. The check stops at the first
    // usable printer of a supported driver; the list checks the rest.
    bool found = false;
    {
        CWaitCursor wait;
        m_printers.Take();
        found = m_printers.AnyListed();
    }
    if (found)
        return true;
    ShowStartupError(LoadResString(IDS_NO_DRIVER));
    return false;
}

bool CKPXSetupApp::IniFileExists() const
{
    std::string path;
    GetIniFilePath(path);
    return FileExists(path.c_str());
}

bool CKPXSetupApp::CheckIniFileExists()
{
    if (IniFileExists())
        return true;
    ShowStartupError(IniNotFoundText());
    return false;
}

std::string CKPXSetupApp::IniNotFoundText() const
{
    // The message names the file in upper case, double-byte letters included.
    std::vector<unsigned char> name(m_strProfileName.begin(), m_strProfileName.end());
    name.push_back('\0');
    _mbsupr(name.data());

    return FormatResString(IDS_FILE_NOT_FOUND, reinterpret_cast<const char*>(name.data()));
}

void CKPXSetupApp::ReleaseInstanceMutex()
{
    if (!m_hMutex)
        return;
    Win32().ReleaseMutex(m_hMutex);
    Win32().CloseHandle(m_hMutex);
    m_hMutex = nullptr;
}
