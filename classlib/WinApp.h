// The application object: one per process, constructed as a static object.
// WinMain (classlib/WinMain.cpp) initialises it, calls InitInstance, and when
// that returns false goes straight to ExitInstance, whose result is the
// process exit code. There is no message loop of the application's own.
#pragma once

#include "classlib/Handle.h"

#include <windows.h>
#include <commdlg.h>

#include <string>
#include <vector>

class CWnd;

class CWinApp {
public:
    // appName null: the title comes from the string table (AFX_IDS_APP_TITLE).
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Fills the instance handle, the title, the profile name and the help
    // path from the executable's module. WinMain calls it before InitInstance;
    // tests call it on an application object of their own.
    void InitApplication(HINSTANCE hInstance);

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return m_nExitCode; }

    // InitInstance, and ExitInstance when it returns false; the exit code.
    int Run();

    // The system's default printer as device names and mode blocks (caller
    // neither frees nor keeps them: the application owns both). False when
    // there is no default printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLGA* pd);

    HINSTANCE m_hInstance = nullptr;
    std::string m_strAppName;      // application title: caption of every message box
    std::string m_strProfileName;  // executable's base name + ".INI"
    std::string m_strHelpFilePath; // executable's path with ".HLP" for its extension
    std::string m_strCmdLine;      // the arguments after the program name (WinMain's)
    CWnd* m_pMainWnd = nullptr;    // owner of message boxes while the main dialog runs

protected:
    int m_nExitCode = 0;

private:
    const char* m_pszInitialName;
    CGlobalMemory m_devMode;  // the default printer's blocks, kept for the
    CGlobalMemory m_devNames; // application's life once asked for
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();

// Registers the common-control classes our dialogs contain (the list view);
// a dialog with a list view fails to load without it.
void InitCommonControlClasses();

// Message boxes with the application title as caption, owned by the main
// window when there is one. Return the button pressed (IDOK ...).
int AfxMessageBox(const char* text, UINT type = MB_OK);
int AfxMessageBox(UINT idText, UINT type = MB_OK);

// A string-table text as code page bytes; empty when the id has none.
std::string LoadResString(UINT id);
// The string-table text id with its places %1 to %9 filled with values[0] to
// values[8] (FillPlaces, classlib/TextPlaces.h). Every text of the string
// table that takes values is filled through it.
std::string FormatResString(UINT id, const std::vector<std::string>& values);

// The module that holds the string table and the dialog templates: the
// application's instance, or the executable when there is no application
// object yet (tests).
HINSTANCE AfxGetResourceHandle();
