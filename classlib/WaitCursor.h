// The hourglass cursor while the program works without handling messages
// (renaming a printer, moving its settings). Scoped: the cursor that was
// showing before comes back when the object goes, on every way out.
// Begin and End nest; only the outermost End restores the cursor.
#pragma once

class CWaitCursor {
public:
    CWaitCursor() { Begin(); }
    ~CWaitCursor() { End(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // The unscoped pair behind CWnd::BeginWaitCursor / EndWaitCursor. An End
    // without a Begin does nothing.
    static void Begin();
    static void End();
};
