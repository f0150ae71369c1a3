// The dialog class driven without a modal loop: message-map dispatch by
// message, control id and notification code, notification results, the
// binding of control wrappers, the default handling a handler can ask for,
// and exceptions stopped at the dialog procedure. The dialog is built on the
// main dialog's real template, and every notification is raised by the real
// control (BM_CLICK, WM_SETTEXT, LVM_SETITEMSTATE, key presses).
#include "classlib/Dialog.h"

#include "classlib/ComboBox.h"
#include "classlib/Edit.h"
#include "classlib/InvalidArgException.h"
#include "classlib/ListCtrl.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// An edit wrapper that records what reaches its WindowProc and can swallow
// pastes, as the printer-name edit does.
class RecordingEdit : public CEdit {
public:
    std::vector<UINT> seen;
    bool refusePaste = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        if (message == WM_PASTE && refusePaste)
            return 0;
        return CEdit::WindowProc(message, wParam, lParam);
    }
};

class ProbeDlg : public CDialog {
public:
    ProbeDlg() : CDialog(IDD_KPXSETUP_DIALOG) {}

    RecordingEdit m_edit;
    CComboBox m_combo;
    CListCtrl m_list;

    std::vector<std::string> calls; // handlers in the order they ran
    std::vector<int> changedRows;   // rows of LVN_ITEMCHANGED
    LRESULT itemChangingResult = FALSE;
    LRESULT itemChangedResult = 0;
    bool sysCommandDefault = true;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_PRINTER_NAME, m_edit);
        DDX_Control(pDX, IDC_PROFILE_SET, m_combo);
        DDX_Control(pDX, IDC_PRINTER_LIST, m_list);
    }

    void OnSet() { calls.push_back("OnSet"); }
    void OnVersion()
    {
        calls.push_back("OnVersion");
        throw CInvalidArgException();
    }
    void OnHelpButton()
    {
        calls.push_back("OnHelpButton");
        throw std::runtime_error("probe");
    }
    void OnChangeName() { calls.push_back("OnChangeName"); }
    void OnSelChangeSet() { calls.push_back("OnSelChangeSet"); }
    void OnItemChanging(NMHDR*, LRESULT* pResult) { *pResult = itemChangingResult; }
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
    {
        calls.push_back("OnItemChanged");
        changedRows.push_back(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iItem);
        *pResult = itemChangedResult;
    }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        calls.push_back("OnSysCommand");
        if (sysCommandDefault)
            CDialog::OnSysCommand(nID, lParam);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ProbeDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_BN_CLICKED(IDC_SET, &ProbeDlg::OnSet)
    ON_BN_CLICKED(IDC_VERSION, &ProbeDlg::OnVersion)
    ON_NOTIFY(LVN_ITEMCHANGING, IDC_PRINTER_LIST, &ProbeDlg::OnItemChanging)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_PRINTER_LIST, &ProbeDlg::OnItemChanged)
    ON_CBN_SELCHANGE(IDC_PROFILE_SET, &ProbeDlg::OnSelChangeSet)
    ON_EN_CHANGE(IDC_PRINTER_NAME, &ProbeDlg::OnChangeName)
    ON_BN_CLICKED(ID_HELP, &ProbeDlg::OnHelpButton)
END_MESSAGE_MAP()

// The system's own text for an error code, as the user would read it.
std::string SystemText(DWORD error)
{
    char buffer[512] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, buffer,
                             sizeof(buffer), nullptr);
    std::string text(buffer, n);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

void PutTextOnClipboard(HWND owner, const char* text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    size_t size = strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

class DialogTest : public ::testing::Test {
public:
    void SetUp() override
    {
        InitCommonControlClasses();
        app.InitApplication(GetModuleHandleA(nullptr));
        ASSERT_TRUE(dlg.Create());
        hDlg = dlg.m_hWnd;
        ASSERT_NE(hDlg, nullptr);
    }

    HWND Item(int id) const { return GetDlgItem(hDlg, id); }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }

    // Adds rows with column 0 texts, in the order given (the list sorts).
    void AddRows(std::initializer_list<const char*> texts)
    {
        dlg.m_list.InsertColumn(0, "name", LVCFMT_LEFT, 100);
        for (const char* text : texts)
            dlg.m_list.InsertItem(0, text);
        dlg.calls.clear();
        dlg.changedRows.clear();
    }

    CWinApp app;
    ProbeDlg dlg;
    HWND hDlg = nullptr;
};

// --- Dispatch by message, id and code ---

TEST_F(DialogTest, EachNotificationReachesTheHandlerOfItsControlAndCode)
{
    // Each raised by the control itself. WM_SETTEXT makes the edit send
    // EN_UPDATE and EN_CHANGE, and the list view sends LVN_ITEMCHANGING
    // before LVN_ITEMCHANGED: only one of each pair is mapped to the log.
    const struct {
        const char* handler;
        void (*raise)(DialogTest&);
    } cases[] = {
        {"OnSet", [](DialogTest& t) { t.Click(IDC_SET); }},
        {"OnChangeName", [](DialogTest& t) { SetWindowTextA(t.Item(IDC_PRINTER_NAME), "Printer 2"); }},
        {"OnSelChangeSet", [](DialogTest& t) { SendMessageA(t.Item(IDC_PROFILE_SET), WM_KEYDOWN, VK_DOWN, 0); }},
        {"OnItemChanged", [](DialogTest& t) { t.dlg.m_list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED); }},
    };
    dlg.m_combo.AddString("Alpha");
    AddRows({"one", "two"});
    for (const auto& c : cases) {
        dlg.calls.clear();
        c.raise(*this);
        EXPECT_EQ(dlg.calls, (std::vector<std::string>{c.handler}));
    }
    EXPECT_EQ(dlg.changedRows, (std::vector<int>{1}));
}

TEST_F(DialogTest, NotifyResultReachesTheControl)
{
    // LVN_ITEMCHANGING answered with TRUE forbids the change: the list view
    // reads that answer from the dialog's DWLP_MSGRESULT.
    AddRows({"one"});
    dlg.itemChangingResult = TRUE;
    dlg.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), -1);
    EXPECT_TRUE(dlg.calls.empty());

    dlg.itemChangingResult = FALSE;
    dlg.m_list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 0);
}

TEST_F(DialogTest, NotifyResultIsWhatTheSenderReceivesAndIdsMustMatch)
{
    dlg.itemChangedResult = 0x1234;
    NMLISTVIEW nm = {};
    nm.hdr.idFrom = IDC_PRINTER_LIST;
    nm.hdr.code = LVN_ITEMCHANGED;
    nm.iItem = 3;
    EXPECT_EQ(SendMessageA(hDlg, WM_NOTIFY, IDC_PRINTER_LIST, reinterpret_cast<LPARAM>(&nm)), 0x1234);
    EXPECT_EQ(dlg.changedRows, (std::vector<int>{3}));

    // The same code from another control, and another code from the button.
    nm.hdr.idFrom = IDC_PROFILE_SET;
    SendMessageA(hDlg, WM_NOTIFY, IDC_PROFILE_SET, reinterpret_cast<LPARAM>(&nm));
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_SET, BN_SETFOCUS), 0);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"OnItemChanged"}));
}

// --- Default handling ---

TEST_F(DialogTest, SystemCommandGetsTheDefaultHandlingOnlyWhenTheHandlerAsks)
{
    dlg.sysCommandDefault = false;
    SendMessageA(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsIconic(hDlg));

    dlg.sysCommandDefault = true;
    SendMessageA(hDlg, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(hDlg));
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"OnSysCommand", "OnSysCommand"}));
}

TEST_F(DialogTest, OkAndCancelWithoutMapEntriesEndTheDialog)
{
    // The Close button is IDOK; the dialog manager sends IDCANCEL for Esc
    // and the close box.
    SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_EQ(dlg.GetModalResult(), IDCANCEL);
    Click(IDOK);
    EXPECT_EQ(dlg.GetModalResult(), IDOK);
    EXPECT_FALSE(IsWindowVisible(hDlg));
}

// --- Exceptions at the dialog procedure ---

TEST_F(DialogTest, InvalidArgumentIsReportedWithTheSystemTextAndStopIcon)
{
    MessageBoxRecorder boxes;
    Click(IDC_VERSION);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    const RecordedBox& box = boxes.boxes()[0];
    EXPECT_PRED_FORMAT2(SameBytes, SystemText(ERROR_INVALID_PARAMETER), box.text);
    EXPECT_FALSE(box.text.empty());
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_APP_TITLE), box.caption);
    EXPECT_EQ(box.type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(box.type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_EQ(box.owner, hDlg);

    // The dialog keeps running.
    Click(IDC_SET);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"OnVersion", "OnSet"}));
}

TEST_F(DialogTest, OtherExceptionIsReportedAsInternalError)
{
    MessageBoxRecorder boxes;
    Click(ID_HELP);
    EXPECT_EQ(dlg.calls, (std::vector<std::string>{"OnHelpButton"}));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"アプリケーションの内部エラーです。"), boxes.boxes()[0].text);
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

// --- Binding of controls ---

TEST_F(DialogTest, DataExchangeBindsEachWrapperToItsControl)
{
    EXPECT_EQ(dlg.m_edit.m_hWnd, Item(IDC_PRINTER_NAME));
    EXPECT_EQ(dlg.m_combo.m_hWnd, Item(IDC_PROFILE_SET));
    EXPECT_EQ(dlg.m_list.m_hWnd, Item(IDC_PRINTER_LIST));
    EXPECT_EQ(CWnd::FromHandlePermanent(Item(IDC_PRINTER_NAME)), &dlg.m_edit);
    EXPECT_EQ(CWnd::FromHandlePermanent(hDlg), &dlg);
}

TEST_F(DialogTest, BoundEditSeesPasteInWindowProcAndMayRefuseIt)
{
    dlg.m_edit.SetWindowText("old");
    PutTextOnClipboard(hDlg, "pasted");

    dlg.m_edit.refusePaste = true;
    SendMessageA(Item(IDC_PRINTER_NAME), WM_PASTE, 0, 0);
    EXPECT_EQ(dlg.m_edit.GetWindowText(), "old");

    dlg.m_edit.refusePaste = false;
    SendMessageA(Item(IDC_PRINTER_NAME), EM_SETSEL, 0, -1);
    SendMessageA(Item(IDC_PRINTER_NAME), WM_PASTE, 0, 0);
    EXPECT_EQ(dlg.m_edit.GetWindowText(), "pasted");

    size_t pastes = 0;
    for (UINT message : dlg.m_edit.seen)
        pastes += message == WM_PASTE;
    EXPECT_EQ(pastes, 2u);
}

TEST_F(DialogTest, DestroyedWrapperGivesTheControlItsProcedureBack)
{
    HWND label = Item(IDC_LIST_LABEL);
    LONG_PTR own = GetWindowLongPtrA(label, GWLP_WNDPROC);
    {
        CWnd wrapper;
        ASSERT_TRUE(wrapper.SubclassWindow(label));
        EXPECT_NE(GetWindowLongPtrA(label, GWLP_WNDPROC), own);
        // A second wrapper cannot take a bound control.
        CWnd other;
        EXPECT_FALSE(other.SubclassWindow(label));
    }
    EXPECT_EQ(GetWindowLongPtrA(label, GWLP_WNDPROC), own);
    EXPECT_EQ(CWnd::FromHandlePermanent(label), nullptr);
}

TEST_F(DialogTest, DestroyingTheDialogUnbindsEverything)
{
    dlg.DestroyWindow();
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);
}

TEST_F(DialogTest, DlgItemIsTheBoundWrapperOrAStandIn)
{
    EXPECT_EQ(dlg.GetDlgItem(IDC_PRINTER_NAME), &dlg.m_edit);
    CWnd* button = dlg.GetDlgItem(IDC_SET);
    ASSERT_NE(button, nullptr);
    button->EnableWindow(FALSE);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_SET)));
    EXPECT_EQ(dlg.GetDlgItem(4711), nullptr);
}

// A dialog whose data exchange names a control the template lacks: the
// error is reported when the dialog initialises, and the dialog still opens.
class BrokenExchangeDlg : public CDialog {
public:
    BrokenExchangeDlg() : CDialog(IDD_KPXSETUP_DIALOG) {}
    CEdit m_edit;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 4711, m_edit); }
};

TEST(DialogExchangeTest, MissingControlIsReportedAndTheDialogOpens)
{
    InitCommonControlClasses();
    MessageBoxRecorder boxes;
    BrokenExchangeDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

} // namespace
