// The application object: start-up checks, the single-instance guard and the
// two path queries for the tool settings file.
#pragma once

#include "classlib/Handle.h"
#include "classlib/WinApp.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"
#include "settings/ToolSettingsFile.h"

#include <string>

class CKPXSetupApp : public CWinApp {
public:
    // Fixes the process-wide platform flags (WOW64, Terminal Services).
    CKPXSetupApp();
    ~CKPXSetupApp() override;

    // Start-up. Without arguments the main dialog; with the command line's
    // switches an unattended run whose result is the exit code. Returns
    // false on every path, so that the framework goes straight to
    // ExitInstance once the main dialog has closed, a check has failed or
    // the unattended run has ended.
    BOOL InitInstance() override;
    int ExitInstance() override;

    // That file, for the checks and messages both faces make about it.
    CToolSettingsFile ToolSettingsFile() const;
    // The tool settings file with the tool directory it expands against.
    CKPXSetupINI ToolSettings() const;

    // What the dialog's start does where another copy runs: another user's
    // is brought forward or told of (once per session at a time); this
    // user's is brought forward (true when there was a window to bring).
    void TellOtherUserRuns();
    bool ActivateRunningCopy();
    void InitModuleDir();
    // Runs the main dialog modally as the application's main window; the
    // dialog lists m_printers, when taken, instead of enumerating again.
    void RunMainDialog();
    void ReleaseInstanceMutex();

    HANDLE m_hMutex = nullptr; // the instance mutex, held until ExitInstance
    std::string m_strModuleDir;
    CPrinterSnapshot m_printers; // start-up's enumeration until the dialog takes it

private:
    // The session guard of CheckOtherSession when another start in this
    // session already shows the other-user message; held until the end.
    CHandle m_sessionGuard;
};
