// Shown when a source file of a profile set cannot be found: it names the
// file, shows its path in an edit field where the user may correct it or
// browse for another profile file, and ends with
//   IDRETRY (4)   try the path now in the edit field (also Enter)
//   IDCANCEL (2)  give up (also Esc and the close box)
// Any other result of DoModal means the dialog could not be shown.
#pragma once

#include "classlib/Dialog.h"
#include "classlib/Edit.h"

#include <string>

class CCopyErrorDlg : public CDialog {
public:
    // Without an owner the application's main window owns the running dialog.
    explicit CCopyErrorDlg(CWnd* pParentWnd = nullptr);

    // The path asked about in the next run; a null pointer stands for an
    // empty one.
    void SetPath(const char* path);
    // After a run ended with IDRETRY: the text of the edit field as typed.
    // After IDCANCEL: the path set before the run, or the one last chosen
    // with Browse in it.
    std::string GetPath() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Takes the edit field's text as the path and ends with IDRETRY.
    void OnRetry();
    // Lets the user choose a profile file; the chosen path replaces the
    // path and the edit's text. The dialog stays open.
    void OnBrowse();
    // F1 opens no help while this dialog is up.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()

private:
    CEdit m_editPath;
    std::string m_strPath;
};
