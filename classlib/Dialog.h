// A dialog built from a dialog template of the program's resources.
//
// One static dialog procedure binds the window to its object at
// WM_INITDIALOG (the object's address is kept in DWLP_USER) and hands every
// later message to the object's dispatcher: WM_INITDIALOG goes to
// OnInitDialog, everything else through the message map. A handled message's
// result goes back through DWLP_MSGRESULT, or as the procedure's own return
// value for the few messages that take it that way (WM_QUERYDRAGICON ...).
// C++ exceptions stop at the procedure: they are reported in a message box
// (ExceptionReport.h) and the dialog keeps running.
//
// The modal run is our own loop rather than DialogBoxParam's, because the
// controls' wrappers must see each message before the dialog manager does
// (the printer-name edit refuses typed characters in PreTranslateMessage),
// and must see it in 8-bit form: the system's dialog loop fetches messages as
// Unicode, so a character would reach a hook as UTF-16 rather than as the
// lead and trail bytes of code page 932. Our loop reads messages with the
// ANSI calls, offers each to PreTranslateMessage from the target window up
// to the dialog, then to IsDialogMessageA (keyboard navigation, Enter and
// Esc, and the joining of lead and trail bytes into one character).
#pragma once

#include "classlib/DataExchange.h"
#include "classlib/Wnd.h"

#include <map>
#include <memory>
#include <string>

class CDialog : public CWnd {
public:
    // pParentWnd: owner of the dialog while it runs. Without one, a modal
    // run is owned by the application's main window when that is open.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Destroys the window if it is still open (a dialog made with Create).
    ~CDialog() override;

    // Creates the dialog, disables its owner and runs messages until
    // EndDialog. Returns the value given to EndDialog; -1 when the dialog
    // could not be created, or the loop ended otherwise (WM_QUIT, the window
    // destroyed from outside). The window is destroyed before it returns.
    virtual INT_PTR DoModal();

    // Creates the dialog without a loop of its own (modeless); the caller's
    // messages drive it. Owned by pParentWnd, or by the constructor's parent.
    BOOL Create(CWnd* pParentWnd = nullptr);
    BOOL DestroyWindow();

    // Ends the run with nResult once the current message has been handled.
    // A modeless dialog is only hidden; GetModalResult tells the value.
    void EndDialog(int nResult);
    // The value last given to EndDialog in this run; -1 before.
    INT_PTR GetModalResult() const { return m_nModalResult; }

    // The base binds the controls (UpdateData(FALSE)) and returns TRUE, so
    // the dialog manager puts the focus on the first tab stop.
    virtual BOOL OnInitDialog();
    // Runs DoDataExchange; TRUE.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The wrapper of a control: its permanent one if it has one, otherwise
    // one the dialog keeps until its window goes. Null when there is no
    // control with that id.
    CWnd* GetDlgItem(int id);
    // Empty when there is no such control.
    std::string GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const char* text);

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    // The default actions of the IDOK and IDCANCEL commands (Enter, Esc, the
    // close box), unless the derived map handles those ids itself.
    virtual void OnOK();
    virtual void OnCancel();

    // Handlers of the window messages a derived map may list; the bases
    // leave the message to the dialog manager.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnDestroy();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    // Leaves the message being handled to the dialog manager's default
    // handling as well; it runs as soon as the handler returns.
    void Default();

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The member dispatcher; returns what the dialog procedure returns.
    INT_PTR OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hWnd);
    void Unbind();

    HWND ModalOwner() const;
    void RunModalLoop();
    bool PreTranslateInput(MSG& msg);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModal = false; // DoModal's loop runs for this window
    bool m_bEnded = false; // EndDialog was called in this run
    INT_PTR m_nModalResult = -1;
    bool m_bDefaultPending = false;                   // a handler called Default()
    std::map<int, std::unique_ptr<CWnd>> m_tempItems; // GetDlgItem's wrappers
};
