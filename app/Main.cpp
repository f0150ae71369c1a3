// The one application object. Its constructor runs before WinMain and fixes
// the process-wide platform flags.
#include "app/KPXSetupApp.h"

CKPXSetupApp theApp;
