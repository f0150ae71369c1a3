// F1 in a dialog arrives as WM_HELP. A dialog that leaves the message to the
// dialog manager has it handed on to its owner; these helpers let a test see
// whether it got that far.
#pragma once

#include "classlib/Dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

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

// How F1 on one control of a modeless dialog ended.
struct F1Outcome {
    bool created = false;    // the owner and the dialog were made
    LRESULT answer = 0;      // what the dialog answered to WM_HELP
    int reachedOwner = 0;    // WM_HELP messages that reached the owner
    bool stillOpen = false;  // the dialog's window still exists
    INT_PTR modalResult = 0; // GetModalResult afterwards (-1: not ended)
};

// Makes an owner from `ownerTemplate`, the dialog under test by `make` for
// that owner (not yet created), creates it and sends F1 on `ctrlId`.
F1Outcome PressF1(UINT ownerTemplate, int ctrlId, const std::function<std::unique_ptr<CDialog>(CWnd* owner)>& make);

// F1 was answered TRUE by the dialog itself: nothing reached the owner, and
// the dialog is still open with no result.
::testing::AssertionResult HandledInPlace(const F1Outcome& f1);
