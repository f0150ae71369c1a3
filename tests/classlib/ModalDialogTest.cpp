// The modal run: messages pass the control wrappers' PreTranslateMessage as
// 8-bit characters before the dialog manager sees them, Enter and Esc work,
// the owner is disabled while the dialog runs, the value given to EndDialog
// comes back, and an exception in a handler is reported while the run goes
// on. Each run is driven by messages posted before the loop starts (they are
// handled in order) or sent from another thread.
#include "classlib/Dialog.h"
#include "classlib/Edit.h"
#include "classlib/InvalidArgException.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

// Refuses '!' as typed, as the printer-name edit refuses characters, and
// records every character it was offered.
class FilteringEdit : public CEdit {
public:
    std::string offered;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_CHAR) {
            offered += static_cast<char>(pMsg->wParam);
            if (pMsg->wParam == '!')
                return TRUE;
        }
        return CEdit::PreTranslateMessage(pMsg);
    }
};

// The copy error dialog's template: an edit, Retry (the default button),
// Cancel and Browse.
class ModalProbe : public CDialog {
public:
    explicit ModalProbe(CWnd* parent = nullptr, UINT id = IDD_COPYERROR) : CDialog(id, parent) {}

    FilteringEdit m_edit;
    std::function<void(ModalProbe&)> onInit; // runs at the end of OnInitDialog
    std::string textAtRetry;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (onInit)
            onInit(*this);
        return TRUE;
    }

    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_COPY_SOURCE, m_edit); }

    void OnRetry()
    {
        textAtRetry = m_edit.GetWindowText();
        EndDialog(IDRETRY);
    }
    void OnBrowse() { throw CInvalidArgException(); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ModalProbe, CDialog)
    ON_BN_CLICKED(IDRETRY, &ModalProbe::OnRetry)
    ON_BN_CLICKED(IDC_BROWSE, &ModalProbe::OnBrowse)
END_MESSAGE_MAP()

void PostChars(HWND hWnd, const std::string& bytes)
{
    for (unsigned char c : bytes)
        PostMessageA(hWnd, WM_CHAR, c, 1);
}

void PostKey(HWND hWnd, UINT vk)
{
    PostMessageA(hWnd, WM_KEYDOWN, vk, 1);
    PostMessageA(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// Has the run type `bytes` into the edit and press Enter, once it starts.
void TypeAndEnter(ModalProbe& dlg, const std::string& bytes)
{
    dlg.onInit = [bytes](ModalProbe& d) {
        PostChars(d.m_edit.m_hWnd, bytes);
        PostKey(d.m_edit.m_hWnd, VK_RETURN);
    };
}

// --- Messages through the loop ---

TEST(ModalDialogTest, TypedCharactersPassPreTranslateMessageBeforeTheControl)
{
    ModalProbe dlg;
    TypeAndEnter(dlg, "a!b");
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(dlg.m_edit.offered, "a!b");
    EXPECT_EQ(dlg.textAtRetry, "ab");
}

TEST(ModalDialogTest, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    const struct {
        UINT key;
        INT_PTR result;
    } cases[] = {{VK_RETURN, IDRETRY}, {VK_ESCAPE, IDCANCEL}};
    for (const auto& c : cases) {
        ModalProbe dlg;
        UINT key = c.key;
        dlg.onInit = [key](ModalProbe& d) { PostKey(d.m_edit.m_hWnd, key); };
        EXPECT_EQ(dlg.DoModal(), c.result) << "key " << c.key;
    }
}

TEST(ModalDialogTest, DoubleByteCharacterIsOfferedAsLeadAndTrailByte)
{
    // Katakana "so" in code page 932: its trail byte is a backslash, which a
    // filter must see as the second of two bytes, not as a character. (What
    // the edit then shows is Wine's business: it joins the two bytes by the
    // keyboard's code page, not by 932.)
    ModalProbe dlg;
    TypeAndEnter(dlg, "\x83\x5C");
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(dlg.m_edit.offered, "\x83\x5C");
}

TEST(ModalDialogTest, EndDialogDuringInitialisationReturnsAtOnce)
{
    ModalProbe dlg;
    dlg.onInit = [](ModalProbe& d) { d.EndDialog(7); };
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST(ModalDialogTest, MissingTemplateGivesMinusOne)
{
    ModalProbe dlg(nullptr, 4711);
    EXPECT_EQ(dlg.DoModal(), -1);
}

TEST(ModalDialogTest, SameObjectRunsTwice)
{
    ModalProbe dlg;
    TypeAndEnter(dlg, "x");
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(dlg.textAtRetry, "x");
    EXPECT_EQ(dlg.m_edit.offered, "xx");
}

TEST(ModalDialogTest, ClickSentFromAnotherThreadEndsTheRun)
{
    ModalProbe dlg;
    DialogDriver driver({{"", [](HWND shown) { ClickButton(shown, IDRETRY); }}});
    INT_PTR result = dlg.DoModal();
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ(result, IDRETRY);
}

// --- Owner ---

class ModalOwnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.InitApplication(GetModuleHandleA(nullptr));
        ASSERT_TRUE(main.Create());
        ShowWindow(main.m_hWnd, SW_SHOW);
    }
    void TearDown() override { app.m_pMainWnd = nullptr; }

    CWinApp app;
    ModalProbe main;
};

struct OwnerSeen {
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
};

void RecordOwnerAndRetry(ModalProbe& d, OwnerSeen& seen)
{
    seen.owner = GetWindow(d.m_hWnd, GW_OWNER);
    seen.ownerEnabled = IsWindowEnabled(seen.owner);
    PostKey(d.m_edit.m_hWnd, VK_RETURN);
}

TEST_F(ModalOwnerTest, MainWindowOwnsTheRunAndIsDisabledMeanwhile)
{
    app.m_pMainWnd = &main;
    OwnerSeen seen;
    ModalProbe dlg;
    dlg.onInit = [&seen](ModalProbe& d) { RecordOwnerAndRetry(d, seen); };
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(seen.owner, main.m_hWnd);
    EXPECT_FALSE(seen.ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));
}

TEST_F(ModalOwnerTest, ParentGivenToTheConstructorIsTheOwner)
{
    OwnerSeen seen;
    ModalProbe dlg(&main);
    dlg.onInit = [&seen](ModalProbe& d) { RecordOwnerAndRetry(d, seen); };
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(seen.owner, main.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));
}

TEST_F(ModalOwnerTest, MainWindowThatIsNotOpenOwnsNothing)
{
    ModalProbe closed;
    app.m_pMainWnd = &closed;
    OwnerSeen seen;
    ModalProbe dlg;
    dlg.onInit = [&seen](ModalProbe& d) { RecordOwnerAndRetry(d, seen); };
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(seen.owner, nullptr);
}

TEST_F(ModalOwnerTest, OwnerIsEnabledAgainWhenTheDialogCannotBeCreated)
{
    app.m_pMainWnd = &main;
    ModalProbe dlg(nullptr, 4711);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));
}

// --- Exceptions ---

TEST_F(ModalOwnerTest, ExceptionInAHandlerIsReportedAndTheRunGoesOn)
{
    MessageBoxRecorder boxes;
    HWND hDlg = nullptr;
    ModalProbe dlg;
    dlg.onInit = [&hDlg](ModalProbe& d) {
        hDlg = d.m_hWnd;
        PostMessageA(d.Item(IDC_BROWSE), BM_CLICK, 0, 0);
        PostChars(d.m_edit.m_hWnd, "ok");
        PostKey(d.m_edit.m_hWnd, VK_RETURN);
    };
    EXPECT_EQ(dlg.DoModal(), IDRETRY);
    EXPECT_EQ(dlg.textAtRetry, "ok");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes.boxes()[0].owner, hDlg);
}

} // namespace
