#include "classlib/WaitCursor.h"

#include <windows.h>

namespace {

// The program has one user-interface thread, and the cursor set with
// SetCursor belongs to that thread, so one count will do.
int g_depth = 0;
HCURSOR g_restore = nullptr;

} // namespace

void CWaitCursor::Begin()
{
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = ::SetCursor(wait);
    if (g_depth++ == 0)
        g_restore = previous;
}

void CWaitCursor::End()
{
    if (g_depth == 0)
        return;
    if (--g_depth == 0) {
        ::SetCursor(g_restore);
        g_restore = nullptr;
    }
}
