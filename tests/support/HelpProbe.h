// F1 in a dialog arrives as WM_HELP. A dialog that leaves the message to the
// dialog manager has it handed on to its owner; these helpers let a test see
// whether it got that far.
#pragma once

#include "classlib/Dialog.h"

// A modeless owner for the dialog under test that counts the WM_HELP
// messages reaching it.
class HelpCountingOwner : public CDialog {
public:
    explicit HelpCountingOwner(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    int helpCount = 0;

    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};

// Sends the dialog the WM_HELP that F1 on its control ctrlId produces;
// returns the dialog's answer.
LRESULT SendHelp(HWND dialog, int ctrlId);
