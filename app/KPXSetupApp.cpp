#include "app/KPXSetupApp.h"

#include "classlib/ModuleFileName.h"
#include "classlib/PathParts.h"
#include "classlib/WaitCursor.h"
#include "classlib/Win32Api.h"
#include "cmdline/UnattendedRun.h"
#include "operation/StartupCheck.h"
#include "platform/InstanceGuard.h"
#include "platform/OsClass.h"
#include "platform/PlatformFlags.h"
#include "res/resource.h"
#include "ui/KPXSetupDlg.h"

#include <utility>

namespace {

// The system's predefined dialog class.
const ATOM kDialogClassAtom = 0x8002;

// How long a second start waits for the running copy's window to answer.
const UINT kActivateProbeMs = 500;

void ShowStartupError(const std::string& text)
{
    AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR);
}

} // namespace

CKPXSetupApp::CKPXSetupApp() : CWinApp(nullptr)
{
    InitPlatformFlags();
}

CKPXSetupApp::~CKPXSetupApp() = default;

BOOL CKPXSetupApp::InitInstance()
{
    const CommandOptions options = ParseCommandLine(m_strCmdLine);
    if (options.mode != CommandInteractive) {
        InitModuleDir();
        m_nExitCode = RunUnattended(options, m_strCmdLine, ToolSettingsFile(), m_hMutex);
        return FALSE;
    }

    InitCommonControlClasses();
    InitModuleDir();

    StartupStop stop;
    {
        DWORD mutexError = 0;
        // Start-up's one enumeration of the printers, which the main dialog
        // lists.
        CWaitCursor wait;
        stop = CheckStartup(StartupNeeds(), ToolSettingsFile(), m_printers, m_hMutex, mutexError);
    }
    switch (stop) {
    case StartupReady:
        break;
    case StartupOtherUser:
        TellOtherUserRuns();
        return FALSE;
    case StartupAlreadyRunning:
        ActivateRunningCopy();
        return FALSE;
    case StartupNoMutex:
        return FALSE;
    case StartupNoSpooler:
    case StartupNoPrinter:
        ShowStartupError(LoadResString(IDS_NO_DRIVER));
        return FALSE;
    case StartupNoSettings:
        ShowStartupError(ToolSettingsFile().NotFoundText());
        return FALSE;
    }

    RunMainDialog();
    return FALSE;
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

CToolSettingsFile CKPXSetupApp::ToolSettingsFile() const
{
    return CToolSettingsFile(m_strModuleDir, m_strProfileName);
}

CKPXSetupINI CKPXSetupApp::ToolSettings() const
{
    return ToolSettingsFile().Open();
}

void CKPXSetupApp::TellOtherUserRuns()
{
    // The machine-wide mutex belongs to another user: that user's window is
    // brought forward where it can be, else this user is told.
    if (ActivateRunningCopy())
        return;

    CHandle guard(Win32().CreateMutexA(nullptr, TRUE, SessionMutexName()));
    if (guard.IsValid() && GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another start in this session is showing the message right now.
        m_sessionGuard = std::move(guard);
        return;
    }

    // Holding the guard while the message is up keeps further starts in
    // this session silent.
    ShowStartupError(LoadResString(IDS_OTHER_USER));
    if (guard.IsValid())
        Win32().ReleaseMutex(guard.Get());
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

void CKPXSetupApp::ReleaseInstanceMutex()
{
    if (!m_hMutex)
        return;
    Win32().ReleaseMutex(m_hMutex);
    Win32().CloseHandle(m_hMutex);
    m_hMutex = nullptr;
}
