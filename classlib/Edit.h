// An edit control of a dialog. Derived classes filter what reaches the
// control by overriding PreTranslateMessage (typed characters, seen by the
// modal loop before the dialog manager) and WindowProc (messages sent to the
// control, such as WM_PASTE); both are CWnd's and take effect once the
// wrapper is bound with DDX_Control.
#pragma once

#include "classlib/Wnd.h"

class CEdit : public CWnd {
public:
    // EM_LIMITTEXT: the most bytes the user may type or paste (text set by
    // the program is not cut). 0 sets the control's own maximum.
    void SetLimitText(UINT nMax);
};
