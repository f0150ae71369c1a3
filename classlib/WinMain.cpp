// The program's entry point: runs the one static application object.
#include "classlib/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->InitApplication(hInstance);
    return app->Run();
}
