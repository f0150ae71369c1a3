// The question about a missing source file: the copy error dialog names the
// file and offers its path, a retry hands back the path typed or browsed to,
// Cancel leaves the path as it was, and a dialog that cannot be shown counts
// as a cancel.
#include "ui/SourceFileQuestion.h"

#include "classlib/Dialog.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What one showing of the dialog displayed.
struct Seen {
    std::string message;
    std::string edit;
    HWND owner = nullptr;
};

void Record(HWND dlg, Seen& seen)
{
    seen.message = DialogItemText(dlg, IDC_COPY_MESSAGE);
    seen.edit = DialogItemText(dlg, IDC_COPY_SOURCE);
    seen.owner = GetWindow(dlg, GW_OWNER);
}

class SourceFileQuestionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        existing = dir.file("Auto.kpx");
        ASSERT_TRUE(WriteFileBytes(existing, "profile"));
        missing = dir.file("Missing.kpx");
    }

    TempDir dir;
    std::string existing;
    std::string missing;
};

TEST_F(SourceFileQuestionTest, RetryHandsBackTheTypedPath)
{
    CDialog owner(IDD_COPYERROR);
    ASSERT_TRUE(owner.Create());
    Seen seen;
    DialogDriver driver({
        {CopyErrorCaption(),
         [&](HWND d) {
             Record(d, seen);
             SetItemText(d, IDC_COPY_SOURCE, existing);
             PressKey(d, VK_RETURN);
         }},
    });
    std::string path = missing;
    EXPECT_TRUE(AskForSourceFile(&owner, path));
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ(path, existing);

    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText("Missing.kpx"), seen.message);
    EXPECT_EQ(seen.edit, missing);
    EXPECT_EQ(seen.owner, owner.m_hWnd);
}

TEST_F(SourceFileQuestionTest, CancelLeavesThePathAsItWas)
{
    Seen seen;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              Record(d, seen);
                              // Typed, then given up: the typing is not kept.
                              SetItemText(d, IDC_COPY_SOURCE, existing);
                              ClickButton(d, IDCANCEL);
                          }}});
    std::string path = missing;
    EXPECT_FALSE(AskForSourceFile(nullptr, path));
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ(path, missing);
    EXPECT_EQ(seen.edit, missing);
}

TEST_F(SourceFileQuestionTest, EmptyPathAsksAboutAFileNotGiven)
{
    Seen seen;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              Record(d, seen);
                              ClickButton(d, IDCANCEL);
                          }}});
    std::string path;
    EXPECT_FALSE(AskForSourceFile(nullptr, path));
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText(LoadResString(IDS_NO_FILE_GIVEN)), seen.message);
    EXPECT_EQ(seen.edit, "");
    EXPECT_EQ(path, "");
}

// --- Browsing, with a stand-in for the chooser ---

// The user browses in the copy error dialog, the chooser (a stand-in)
// returns `choice`, then the user presses `button`; the check's result, with
// the path it leaves, and whether the dialog was answered once and alone.
struct Browsed {
    bool result;
    std::string path;
    int done;
    int unexpected;
};

Browsed BrowseThenPress(const std::string& start, const std::string& choice, int button)
{
    ScopedApiOverride<&Win32Api::GetOpenFileNameA> chooser([&](LPOPENFILENAMEA ofn) {
        lstrcpynA(ofn->lpstrFile, choice.c_str(), ofn->nMaxFile);
        return TRUE;
    });
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              ClickButton(d, IDC_BROWSE);
                              ClickButton(d, button);
                          }}});
    std::string path = start;
    bool result = AskForSourceFile(nullptr, path);
    driver.Finish();
    return {result, path, driver.Done(), driver.Unexpected()};
}

TEST_F(SourceFileQuestionTest, BrowsedFileReplacesThePathOnRetry)
{
    Browsed browsed = BrowseThenPress(missing, existing, IDRETRY);
    EXPECT_TRUE(browsed.result);
    EXPECT_EQ(browsed.done, 1);
    EXPECT_EQ(browsed.unexpected, 0);
    EXPECT_EQ(browsed.path, existing);
}

TEST_F(SourceFileQuestionTest, BrowsedFileIsDiscardedOnCancel)
{
    Browsed browsed = BrowseThenPress(missing, existing, IDCANCEL);
    EXPECT_FALSE(browsed.result);
    EXPECT_EQ(browsed.done, 1);
    EXPECT_EQ(browsed.path, missing);
}

// --- A dialog that cannot be shown ---

TEST_F(SourceFileQuestionTest, DialogThatCannotBeShownCountsAsACancel)
{
    // Resources taken from a module that has no copy error template.
    HMODULE noTemplates = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(FindResourceA(noTemplates, MAKEINTRESOURCEA(IDD_COPYERROR), RT_DIALOG), nullptr);
    CWinApp app;
    app.m_hInstance = noTemplates;

    std::string path = missing;
    EXPECT_FALSE(AskForSourceFile(nullptr, path));
    EXPECT_EQ(path, missing);
}

} // namespace
