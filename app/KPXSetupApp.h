#pragma once
#include "classlib/WinApp.h"
class CKPXSetupApp : public CWinApp {
public:
    CKPXSetupApp();
};
