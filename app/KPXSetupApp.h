// The application object: start-up checks, the single-instance guard and the
// two path queries for the tool settings file.
#pragma once

#include "cmdline/CommandLine.h"
#include "classlib/Handle.h"
#include "classlib/WinApp.h"
#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

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

    // Tool directory, a backslash and the profile name (KPXSETUP.INI).
    void GetIniFilePath(std::string& path) const;
    // The tool settings file with the tool directory it expands against.
    CKPXSetupINI ToolSettings() const;

    // The steps of start-up; each "continue" is true, each "stop" false.
    bool CheckOtherSession();
    // Creates and holds the instance mutex. False when another copy holds it
    // (its handle then stays in m_hMutex for ExitInstance) or when it could
    // not be made (m_hMutex null, error the system's reason).
    bool AcquireInstanceMutex(const char* name, DWORD& error);
    bool ActivateRunningCopy();
    void InitModuleDir();
    // Takes start-up's one enumeration of the printers into m_printers.
    bool CheckDriverInstalled();
    bool CheckIniFileExists();
    // Runs the main dialog modally as the application's main window; the
    // dialog lists m_printers, when taken, instead of enumerating again.
    void RunMainDialog();
    void ReleaseInstanceMutex();

    // The pieces of the checks that both faces share: the instance mutex's
    // name for this platform, another user's copy, whether the tool
    // settings file is there and the message when it is not.
    static const char* InstanceMutexName();
    // The machine-wide mutex belongs to another user's copy (never on
    // 9x and NT 4.0, which have only the session mutex).
    static bool OtherUserRuns();
    bool IniFileExists() const;
    std::string IniNotFoundText() const;

    // A run from the command line (app/UnattendedRun.cpp): the start-up
    // checks without a window, then the list or the apply. The exit code.
    int RunUnattended(const CommandOptions& options);

    HANDLE m_hMutex = nullptr;
    std::string m_strModuleDir;
    CPrinterSnapshot m_printers;  // start-up's enumeration until the dialog takes it

private:
    // The session guard of CheckOtherSession when another start in this
    // session already shows the other-user message; held until the end.
    CHandle m_sessionGuard;
};

// The application object of this process (the static one in the program, or
// one a test has made).
CKPXSetupApp* GetKPXSetupApp();
