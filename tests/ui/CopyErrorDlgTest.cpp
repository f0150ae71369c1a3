// The copy error dialog as the user sees it: the message naming the file,
// the path in the edit field, Retry taking the path as typed, Cancel keeping
// the path it had, Browse with the file chooser (a stand-in that records what
// it was asked, and the system's own chooser once), and F1 doing nothing.
#include "ui/CopyErrorDlg.h"

#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/HelpProbe.h"
#include "support/ScopedOsVersion.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// The dialog made without a loop of its own; the test's own messages drive it.
class ShownDialog {
public:
    explicit ShownDialog(const std::string& path)
    {
        dlg.SetPath(path.c_str());
        created = dlg.Create() != FALSE;
    }
    std::string Text(int id) const { return dlg.GetDlgItemText(id); }
    void Type(const std::string& text) { SetItemText(dlg.m_hWnd, IDC_COPY_SOURCE, text); }
    void Click(int id) { ClickButton(dlg.m_hWnd, id); }

    CCopyErrorDlg dlg;
    bool created = false;
};

// --- What the dialog shows ---

TEST(CopyErrorDlgTest, NamesTheFileAndShowsItsPath)
{
    const struct {
        std::string path;
        std::string named;
    } cases[] = {
        {"C:\\profiles\\Auto.kpx", "Auto.kpx"},
        // The katakana "so" ends in a backslash byte; it is not a separator.
        {"C:\\\x83\x5C\\\x83\x5C"
         "Font.kpx",
         "\x83\x5C"
         "Font.kpx"},
        // No backslash: the whole path is the name.
        {"Tone.kpx", "Tone.kpx"},
        // No file name: the path itself is named, never the placeholder.
        {"C:\\profiles\\", "C:\\profiles\\"},
    };
    for (const auto& c : cases) {
        ShownDialog shown(c.path);
        ASSERT_TRUE(shown.created);
        EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText(c.named), shown.Text(IDC_COPY_MESSAGE));
        EXPECT_PRED_FORMAT2(SameBytes, c.path, shown.Text(IDC_COPY_SOURCE));
    }
}

TEST(CopyErrorDlgTest, EmptyPathIsNamedAsNotGivenWithAnEmptyEdit)
{
    ShownDialog shown("");
    ASSERT_TRUE(shown.created);
    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText(LoadResString(IDS_NO_FILE_GIVEN)), shown.Text(IDC_COPY_MESSAGE));
    EXPECT_EQ(shown.Text(IDC_COPY_SOURCE), "");
    EXPECT_EQ(shown.dlg.GetPath(), "");
}

// --- Retry and Cancel ---

// The dialog shown for C:\old\Auto.kpx after `typed` went into the edit and
// `button` was clicked: its result and the path it then gives.
using Answer = std::pair<INT_PTR, std::string>;

Answer TypeAndClick(const std::string& typed, int button)
{
    ShownDialog shown("C:\\old\\Auto.kpx");
    EXPECT_TRUE(shown.created);
    shown.Type(typed);
    shown.Click(button);
    return {shown.dlg.GetModalResult(), shown.dlg.GetPath()};
}

TEST(CopyErrorDlgTest, RetryTakesThePathAsTyped)
{
    EXPECT_EQ(TypeAndClick("  D:\\typed\\Auto.kpx ", IDRETRY), Answer(IDRETRY, "  D:\\typed\\Auto.kpx "));
}

TEST(CopyErrorDlgTest, CancelKeepsThePathItHad)
{
    EXPECT_EQ(TypeAndClick("D:\\typed\\Auto.kpx", IDCANCEL), Answer(IDCANCEL, "C:\\old\\Auto.kpx"));
}

TEST(CopyErrorDlgTest, EnterRetriesAndEscOrTheCloseBoxCancel)
{
    const struct {
        const char* how;
        std::function<void(HWND)> answer;
        INT_PTR result;
        const char* path;
    } cases[] = {
        {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }, IDRETRY, "D:\\typed.kpx"},
        {"Esc", [](HWND d) { PressKey(d, VK_ESCAPE); }, IDCANCEL, "C:\\old.kpx"},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, "C:\\old.kpx"},
    };
    for (const auto& c : cases) {
        CCopyErrorDlg dlg;
        dlg.SetPath("C:\\old.kpx");
        DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                                  SetItemText(d, IDC_COPY_SOURCE, "D:\\typed.kpx");
                                  c.answer(d);
                              }}});
        INT_PTR result = dlg.DoModal();
        EXPECT_TRUE(driver.FinishAfter(1)) << c.how;
        EXPECT_EQ(result, c.result) << c.how;
        EXPECT_EQ(dlg.GetPath(), c.path) << c.how;
    }
}

// --- Browse, with a stand-in for the chooser ---

// What the chooser was asked, and what it answers.
struct ChooserCall {
    int calls = 0;
    HWND owner = nullptr;
    std::string filter; // with its zeros, up to and including the closing pair
    std::string initialFile;
    DWORD maxFile = 0;
    std::string initialDir;
    bool hasTitle = false;
    std::string title;
    DWORD flags = 0;
    std::string defExt;
};

std::string Filter(const char* filter)
{
    if (!filter)
        return std::string();
    const char* end = filter;
    while (end[0] || end[1])
        ++end;
    return std::string(filter, end + 2);
}

class CopyErrorBrowseTest : public ::testing::Test {
protected:
    ChooserCall m_chooser;
    std::string m_choice; // empty: the user cancels
    ScopedApiOverride<&Win32Api::GetOpenFileNameA> chooser{[this](LPOPENFILENAMEA ofn) {
        ChooserCall& c = m_chooser;
        ++c.calls;
        c.owner = ofn->hwndOwner;
        c.filter = Filter(ofn->lpstrFilter);
        c.initialFile = ofn->lpstrFile ? ofn->lpstrFile : "(null)";
        c.maxFile = ofn->nMaxFile;
        c.initialDir = ofn->lpstrInitialDir ? ofn->lpstrInitialDir : "(null)";
        c.hasTitle = ofn->lpstrTitle != nullptr;
        c.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
        c.flags = ofn->Flags;
        c.defExt = ofn->lpstrDefExt ? ofn->lpstrDefExt : "(null)";
        if (m_choice.empty())
            return FALSE;
        lstrcpynA(ofn->lpstrFile, m_choice.c_str(), ofn->nMaxFile);
        return TRUE;
    }};
};

TEST_F(CopyErrorBrowseTest, AsksForAProfileFileInTheFolderOfThePath)
{
    m_choice = "E:\\chosen\\Vivid.kpx";
    ShownDialog shown("C:\\\x83\x5C\\profiles\\Auto.kpx");
    ASSERT_TRUE(shown.created);
    shown.Click(IDC_BROWSE);

    ASSERT_EQ(m_chooser.calls, 1);
    EXPECT_EQ(m_chooser.owner, shown.dlg.m_hWnd);
    EXPECT_PRED_FORMAT2(SameBytes,
                        Cp932(u8"KESTRO ｶﾗｰﾌﾟﾛﾌｧｲﾙ(*.kpx)") + std::string(1, '\0') + "*.kpx" + std::string(2, '\0'),
                        m_chooser.filter);
    EXPECT_EQ(m_chooser.initialFile, "");
    EXPECT_EQ(m_chooser.maxFile, 260u);
    EXPECT_EQ(m_chooser.initialDir, "C:\\\x83\x5C\\profiles");
    EXPECT_TRUE(m_chooser.hasTitle);
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"ﾌｧｲﾙの場所"), m_chooser.title);
    EXPECT_EQ(m_chooser.flags, 0x1804u);
    EXPECT_EQ(m_chooser.defExt, "kpx");

    // The choice is in the edit, the dialog stays open for Retry.
    EXPECT_EQ(shown.Text(IDC_COPY_SOURCE), "E:\\chosen\\Vivid.kpx");
    EXPECT_EQ(shown.dlg.GetModalResult(), -1);
    EXPECT_TRUE(IsWindow(shown.dlg.m_hWnd));
    shown.Click(IDRETRY);
    EXPECT_EQ(shown.dlg.GetPath(), "E:\\chosen\\Vivid.kpx");
}

TEST_F(CopyErrorBrowseTest, WithoutAFolderTheSystemChoosesWhereToStart)
{
    for (const char* path : {"Auto.kpx", ""}) {
        m_chooser = ChooserCall();
        ShownDialog shown(path);
        ASSERT_TRUE(shown.created);
        shown.Click(IDC_BROWSE);
        ASSERT_EQ(m_chooser.calls, 1) << path;
        EXPECT_EQ(m_chooser.initialDir, "") << path;
    }
}

TEST_F(CopyErrorBrowseTest, CancelledChooserChangesNothing)
{
    ShownDialog shown("C:\\old\\Auto.kpx");
    ASSERT_TRUE(shown.created);
    shown.Type("D:\\typed\\Auto.kpx");
    shown.Click(IDC_BROWSE);
    ASSERT_EQ(m_chooser.calls, 1);
    EXPECT_EQ(shown.Text(IDC_COPY_SOURCE), "D:\\typed\\Auto.kpx");
    EXPECT_EQ(shown.dlg.GetPath(), "C:\\old\\Auto.kpx");
    EXPECT_TRUE(IsWindow(shown.dlg.m_hWnd));
    EXPECT_EQ(shown.dlg.GetModalResult(), -1);
}

TEST_F(CopyErrorBrowseTest, CancelAfterBrowsingKeepsTheChosenPathInTheDialog)
{
    // The dialog's path is the chosen one; whoever asked decides to discard
    // it on Cancel (ConfirmSourceFile does).
    m_choice = "E:\\chosen\\Vivid.kpx";
    ShownDialog shown("C:\\old\\Auto.kpx");
    ASSERT_TRUE(shown.created);
    shown.Click(IDC_BROWSE);
    shown.Click(IDCANCEL);
    EXPECT_EQ(shown.dlg.GetModalResult(), IDCANCEL);
    EXPECT_EQ(shown.dlg.GetPath(), "E:\\chosen\\Vivid.kpx");
}

TEST(CopyErrorDlgTest, ChooserGetsTheRecordItsSystemAccepts)
{
    // The common dialogs of 95/98 and NT 4.0 refuse the record with the
    // members added for 2000/Me.
    const struct {
        OsClass os;
        DWORD size;
    } cases[] = {{OsWin9x, 76}, {OsNT4, 76}, {Os2000, 88}, {OsXP, 88}, {Os7, 88}, {OsUnknown, 88}};
    for (const auto& c : cases) {
        ScopedOsVersion version(c.os);
        std::vector<DWORD> sizes;
        ScopedApiOverride<&Win32Api::GetOpenFileNameA> chooser([&](LPOPENFILENAMEA ofn) {
            sizes.push_back(ofn->lStructSize);
            return FALSE;
        });
        ShownDialog shown("C:\\profiles\\Auto.kpx");
        ASSERT_TRUE(shown.created);
        shown.Click(IDC_BROWSE);
        EXPECT_EQ(sizes, std::vector<DWORD>{c.size}) << c.os;
    }
}

// --- Browse with the system's chooser ---

TEST(CopyErrorDlgTest, SystemChooserHandsBackTheChosenFile)
{
    TempDir dir;
    std::string chosen = dir.file("Chosen.kpx");
    ASSERT_TRUE(WriteFileBytes(chosen, "profile"));

    ShownDialog shown(dir.file("Missing.kpx"));
    ASSERT_TRUE(shown.created);
    // The chooser runs its own loop on this thread; the helper types the
    // file name into the chooser's file-name box and presses Open.
    DialogDriver driver({{Cp932(u8"ﾌｧｲﾙの場所"), [&](HWND chooser) {
                              SetItemText(chooser, 0x47c, chosen);
                              PostClick(chooser, IDOK);
                          }}});
    shown.Click(IDC_BROWSE);
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ(shown.Text(IDC_COPY_SOURCE), chosen);
    EXPECT_EQ(shown.dlg.GetPath(), chosen);
}

// --- F1 ---

TEST(CopyErrorDlgTest, F1IsHandledWithoutReachingTheOwner)
{
    F1Outcome f1 = PressF1(IDD_COPYERROR, IDC_COPY_SOURCE, [](CWnd* owner) {
        auto dlg = std::make_unique<CCopyErrorDlg>(owner);
        dlg->SetPath("C:\\Auto.kpx");
        return dlg;
    });
    EXPECT_TRUE(HandledInPlace(f1));
}

} // namespace
