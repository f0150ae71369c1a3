#include "classlib/WinApp.h"

#include "classlib/FrameworkIds.h"
#include "classlib/ModuleFileName.h"
#include "classlib/PathParts.h"
#include "classlib/TextPlaces.h"
#include "classlib/Win32Api.h"
#include "classlib/Wnd.h"

#include <commctrl.h>

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

CWinApp::CWinApp(const char* appName) : m_pszInitialName(appName)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

void CWinApp::InitApplication(HINSTANCE hInstance)
{
    m_hInstance = hInstance;

    m_strAppName = m_pszInitialName ? m_pszInitialName : LoadResString(AFX_IDS_APP_TITLE);

    const std::string module = ModuleFileName(hInstance);

    // The profile and help names keep the letter case in which the system
    // reports the executable's path. The extension starts at the last dot of
    // the file name (a dot is never a trail byte in code page 932).
    std::string file = FileNamePart(module);
    size_t dot = file.find_last_of('.');
    std::string base = dot == std::string::npos ? file : file.substr(0, dot);
    m_strProfileName = base + ".INI";

    size_t moduleDot = module.size() - file.size() + (dot == std::string::npos ? file.size() : dot);
    m_strHelpFilePath = module.substr(0, moduleDot) + ".HLP";
}

int CWinApp::Run()
{
    if (!InitInstance())
        return ExitInstance();
    // An application that keeps running after InitInstance would pump
    // messages here; this program never does.
    return ExitInstance();
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pd)
{
    if (!m_devNames.IsValid()) {
        PRINTDLGA query = {};
        query.lStructSize = sizeof(query);
        query.Flags = PD_RETURNDEFAULT;
        if (!Win32().PrintDlgA(&query))
            return FALSE;
        m_devMode.Reset(query.hDevMode);
        m_devNames.Reset(query.hDevNames);
    }
    pd->hDevMode = m_devMode.Get();
    pd->hDevNames = m_devNames.Get();
    return m_devNames.IsValid();
}

void InitCommonControlClasses()
{
    // InitCommonControlsEx came with comctl32 4.70 (Internet Explorer 3.0):
    // 95 and NT 4.0 without it have only InitCommonControls, which registers
    // the classes of 95, the list view among them. The library is loaded
    // already: the program imports InitCommonControls from it.
    using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    auto initEx = reinterpret_cast<InitCommonControlsExFn>(
        reinterpret_cast<void*>(comctl ? Win32().GetProcAddress(comctl, "InitCommonControlsEx") : nullptr));
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    if (!initEx || !initEx(&icc))
        Win32().InitCommonControls();
}

int AfxMessageBox(const char* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->m_hWnd : nullptr;
    const char* caption = app ? app->m_strAppName.c_str() : "";
    return Win32().MessageBoxA(owner, text, caption, type);
}

int AfxMessageBox(UINT idText, UINT type)
{
    return AfxMessageBox(LoadResString(idText).c_str(), type);
}

std::string LoadResString(UINT id)
{
    // A string-table entry holds at most 4096 characters; in code page 932
    // each may take two bytes.
    char buffer[8192];
    int n = LoadStringA(AfxGetResourceHandle(), id, buffer, sizeof(buffer));
    return std::string(buffer, n > 0 ? n : 0);
}

HINSTANCE AfxGetResourceHandle()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_hInstance ? app->m_hInstance : GetModuleHandleA(nullptr);
}

std::string FormatResString(UINT id, const std::vector<std::string>& values)
{
    return FillPlaces(LoadResString(id), values);
}
