// The program's entry point: runs the one static application object.
#include "classlib/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->InitApplication(hInstance);
    app->m_strCmdLine = lpCmdLine ? lpCmdLine : "";
    return app->Run();
}
