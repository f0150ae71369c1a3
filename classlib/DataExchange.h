// Data exchange between a dialog and its members. Our dialogs only bind
// control wrappers to their controls; no values are exchanged.
#pragma once

#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    const BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* const m_pDlgWnd;         // the dialog whose controls are exchanged
};

// Binds the wrapper to the dialog's control `id` as its permanent wrapper
// (see CWnd::SubclassWindow), so the wrapper's WindowProc sees the control's
// messages and the modal loop its PreTranslateMessage. Binding again to the
// same control does nothing; a wrapper left bound to a control of an earlier
// run of the dialog moves to the new one. A missing control or one bound to
// another wrapper is a programming error: it throws std::logic_error.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
