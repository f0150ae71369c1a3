// The version dialog: the program's banner above its title, version and
// copyright lines, with an OK button. Shown modally from the main dialog's
// version button and from the version item of its system menu.
#pragma once

#include "classlib/Dialog.h"

class CAboutDlg : public CDialog {
public:
    // Dialog template 100. Without a parent the modal run is owned by the
    // application's main window.
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);
    ~CAboutDlg() override;

    // Fills the edit control with the version text (string 102).
    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // F1 in this dialog shows nothing: it is handled here, so the system does
    // not pass it on to the owner, whose handler would open the main help.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};

// Constructs the version dialog, runs it modally and destroys it; the value
// it ended with (IDOK, or -1 when it could not be shown).
INT_PTR RunAboutDlg();
