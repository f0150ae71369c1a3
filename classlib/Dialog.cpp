#include "classlib/Dialog.h"

#include "classlib/ExceptionReport.h"
#include "classlib/WinApp.h"

#include <utility>

namespace {

// Messages whose result a dialog procedure returns itself instead of
// putting it into DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // The derived part of the object is gone already: unbind first, so the
    // destruction's messages are not dispatched to it.
    if (HWND hWnd = m_hWnd) {
        Unbind();
        ::DestroyWindow(hWnd);
    }
}

// --- Binding the window to the object ---

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->Bind(hWnd);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrA(hWnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT ...) and after the unbinding
    // are the dialog manager's alone.
    if (!self)
        return FALSE;

    INT_PTR handled = FALSE;
    try {
        handled = self->OnDialogMessage(message, wParam, lParam);
    } catch (...) {
        AfxReportCurrentException(hWnd);
        // The message counts as handled: the handler may have done part of
        // its work, and the default handling must not add to it.
        ::SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, 0);
        handled = TRUE;
    }
    if (message == WM_NCDESTROY)
        self->Unbind();
    return handled;
}

void CDialog::Bind(HWND hWnd)
{
    AttachPermanent(hWnd);
    m_hWnd = hWnd;
    ::SetWindowLongPtrA(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

void CDialog::Unbind()
{
    if (m_hWnd)
        ::SetWindowLongPtrA(m_hWnd, DWLP_USER, 0);
    DetachPermanent();
    m_tempItems.clear();
    // A window destroyed while the loop runs ends the loop.
    m_bEnded = true;
}

INT_PTR CDialog::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog();

    // A handler may run a nested loop (a message box, another dialog) that
    // dispatches messages to this dialog as well; each level keeps its own
    // request for the default handling.
    bool outerDefault = std::exchange(m_bDefaultPending, false);
    LRESULT result = 0;
    bool handled = OnWndMsg(message, wParam, lParam, result);
    bool wantsDefault = std::exchange(m_bDefaultPending, outerDefault);

    if (!handled || wantsDefault)
        return FALSE;
    if (ReturnsResultDirectly(message))
        return result;
    if (m_hWnd)
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDialog::Default()
{
    m_bDefaultPending = true;
}

// --- Running ---

HWND CDialog::ModalOwner() const
{
    if (m_pParentWnd)
        return m_pParentWnd->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd != this) {
        HWND main = app->m_pMainWnd->m_hWnd;
        if (main && ::IsWindow(main))
            return main;
    }
    return nullptr;
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    m_nModalResult = -1;
    m_bEnded = false;

    // The owner is disabled before the dialog exists, so nothing can reach
    // it while the dialog initialises either.
    HWND owner = ModalOwner();
    bool ownerDisabled = owner && ::IsWindowEnabled(owner);
    if (ownerDisabled)
        ::EnableWindow(owner, FALSE);

    m_bModal = true;
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                     &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (hWnd && !m_bEnded) {
        if (!::IsWindowVisible(hWnd))
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bModal = false;

    // As the system's EndDialog does: hide without activating anything,
    // enable the owner, hand it the activation, and only then destroy, so
    // the owner (not some other program) comes to the front.
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (ownerDisabled)
        ::EnableWindow(owner, TRUE);
    if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (!m_bEnded) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            // WM_QUIT belongs to whoever runs the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        bool swallowed = false;
        try {
            swallowed = PreTranslateInput(msg);
        } catch (...) {
            AfxReportCurrentException(m_hWnd);
            swallowed = true;
        }
        if (swallowed)
            continue;
        if (m_hWnd && ::IsDialogMessageA(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

bool CDialog::PreTranslateInput(MSG& msg)
{
    // Only messages of this dialog's own windows, from the target up to the
    // dialog: a message for the owner or another program's window is none
    // of this dialog's wrappers' business.
    if (!m_hWnd || (msg.hwnd != m_hWnd && !::IsChild(m_hWnd, msg.hwnd)))
        return false;
    for (HWND hWnd = msg.hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wrapper = CWnd::FromHandlePermanent(hWnd);
        if (wrapper && wrapper->PreTranslateMessage(&msg))
            return true;
        if (hWnd == m_hWnd)
            break;
    }
    return false;
}

BOOL CDialog::Create(CWnd* pParentWnd)
{
    if (m_hWnd)
        return FALSE;
    if (pParentWnd)
        m_pParentWnd = pParentWnd;
    m_nModalResult = -1;
    m_bEnded = false;
    m_bModal = false;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    return ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, &CDialog::DialogProc,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bEnded = true;
    if (!m_hWnd)
        return;
    if (m_bModal) {
        // The loop checks after each message it handles; this one wakes it
        // when EndDialog came from a message another thread sent, which
        // GetMessage handles without returning.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

// --- Initialisation and data exchange ---

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// --- Controls ---

CWnd* CDialog::GetDlgItem(int id)
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    if (!item)
        return nullptr;
    if (CWnd* permanent = CWnd::FromHandlePermanent(item))
        return permanent;
    std::unique_ptr<CWnd>& temp = m_tempItems[id];
    if (!temp)
        temp = std::make_unique<CWnd>();
    temp->m_hWnd = item;
    return temp.get();
}

std::string CDialog::GetDlgItemText(int id) const
{
    HWND item = ::GetDlgItem(m_hWnd, id);
    return item ? WindowTextOf(item) : std::string();
}

void CDialog::SetDlgItemText(int id, const char* text)
{
    ::SetDlgItemTextA(m_hWnd, id, text ? text : "");
}

// --- Base handlers of window messages ---

void CDialog::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CDialog::OnDestroy()
{
    Default();
}

BOOL CDialog::OnHelpInfo(HELPINFO*)
{
    Default();
    return TRUE;
}
