// The one application object. Its constructor runs before WinMain and fixes
// the process-wide platform flags.
#include "app/DllSearchPath.h"
#include "app/KPXSetupApp.h"

namespace {

// Before the application object, the first thing this process does: objects
// of one file are made in the order they are defined.
const bool g_dllSearchRestricted = (RestrictDllSearchPath(), true);

} // namespace

CKPXSetupApp theApp;
