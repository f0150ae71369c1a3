// The question asked before a profile file replaces a file of the same name
// in a target directory: it names the file, shows size and last-write time
// of the file that is there and of the new one, and ends with the answer:
//   IDYES (6)              replace this file
//   IDC_OVERWRITE_ALL (5)  replace this file and every later one
//   IDNO (7)               leave this file
//   IDCANCEL (2)           leave this file and every later existing one
//                          (also Esc and the close box)
// Enter answers Yes, the default button. Any other result of DoModal means
// the dialog could not be shown.
#pragma once

#include "classlib/Dialog.h"

#include <string>

class COverwriteDlg : public CDialog {
public:
    // Without an owner the application's main window owns the running dialog.
    explicit COverwriteDlg(CWnd* pParentWnd = nullptr);

    // The files of the next run: the one that would be installed and the one
    // that is at the target now. A null pointer stands for an empty path.
    void SetFiles(const char* newFile, const char* existingFile);

protected:
    BOOL OnInitDialog() override;

    void OnYes();
    void OnOverwriteAll();
    void OnNo();
    // F1 opens no help while this question is up.
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()

private:
    // Fills the size and time statics from the file's status; both keep
    // their template texts when the status cannot be read.
    void ShowFileInfo(const std::string& path, int sizeId, int timeId);

    std::string m_strNewFile;
    std::string m_strExistingFile;
};
