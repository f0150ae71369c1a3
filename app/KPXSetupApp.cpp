#include "app/KPXSetupApp.h"
CKPXSetupApp::CKPXSetupApp() {}
