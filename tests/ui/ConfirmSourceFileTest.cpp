// The check that a source file exists before anything is copied: no dialog
// for a file that is there, the copy error dialog again and again until the
// user retries with a path that names a file, Cancel leaving the path as it
// was, and a dialog that cannot be shown ending the check as a cancel.
#include "ui/ConfirmSourceFile.h"
#include "classlib/Dialog.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DialogTexts.h"
#include "support/DialogDriver.h"
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

class ConfirmSourceFileTest : public ::testing::Test {
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

TEST_F(ConfirmSourceFileTest, ExistingFilePassesWithoutADialog)
{
    std::string path = existing;
    DialogDriver driver({});
    EXPECT_TRUE(ConfirmSourceFile(nullptr, path));
    EXPECT_TRUE(driver.FinishAfter(0));
    EXPECT_EQ(path, existing);
}

TEST_F(ConfirmSourceFileTest, AsksUntilTheRetriedPathNamesAFile)
{
    // A folder cannot be opened as a file: the dialog comes back, naming the
    // folder, until the user types a file that is there.
    CDialog owner(IDD_COPYERROR);
    ASSERT_TRUE(owner.Create());
    Seen first, second;
    DialogDriver driver({
        {CopyErrorCaption(), [&](HWND d) {
             Record(d, first);
             SetItemText(d, IDC_COPY_SOURCE, dir.path());
             ClickButton(d, IDRETRY);
         }},
        {CopyErrorCaption(), [&](HWND d) {
             Record(d, second);
             SetItemText(d, IDC_COPY_SOURCE, existing);
             PressKey(d, VK_RETURN);
         }},
    });
    std::string path = missing;
    EXPECT_TRUE(ConfirmSourceFile(&owner, path));
    EXPECT_TRUE(driver.FinishAfter(2));
    EXPECT_EQ(path, existing);

    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText("Missing.kpx"), first.message);
    EXPECT_EQ(first.edit, missing);
    EXPECT_EQ(first.owner, owner.m_hWnd);
    size_t slash = dir.path().rfind('\\');
    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText(dir.path().substr(slash + 1)), second.message);
    EXPECT_EQ(second.edit, dir.path());
}

TEST_F(ConfirmSourceFileTest, FileHeldOpenWithoutSharingCountsAsMissing)
{
    HANDLE held = CreateFileA(existing.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Seen seen;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              Record(d, seen);
                              ClickButton(d, IDCANCEL);
                          }}});
    std::string path = existing;
    EXPECT_FALSE(ConfirmSourceFile(nullptr, path));
    EXPECT_TRUE(driver.FinishAfter(1));
    CloseHandle(held);
    EXPECT_PRED_FORMAT2(SameBytes, CannotCopyText("Auto.kpx"), seen.message);
}

TEST_F(ConfirmSourceFileTest, CancelLeavesThePathAsItWas)
{
    Seen seen;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              Record(d, seen);
                              // Typed, then given up: the typing is not kept.
                              SetItemText(d, IDC_COPY_SOURCE, existing);
                              ClickButton(d, IDCANCEL);
                          }}});
    std::string path = missing;
    EXPECT_FALSE(ConfirmSourceFile(nullptr, path));
    EXPECT_TRUE(driver.FinishAfter(1));
    EXPECT_EQ(path, missing);
    EXPECT_EQ(seen.edit, missing);
}

TEST_F(ConfirmSourceFileTest, EmptyPathAsksAboutAFileNotGiven)
{
    Seen seen;
    DialogDriver driver({{CopyErrorCaption(), [&](HWND d) {
                              Record(d, seen);
                              ClickButton(d, IDCANCEL);
                          }}});
    std::string path;
    EXPECT_FALSE(ConfirmSourceFile(nullptr, path));
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
    bool result = ConfirmSourceFile(nullptr, path);
    driver.Finish();
    return {result, path, driver.Done(), driver.Unexpected()};
}

TEST_F(ConfirmSourceFileTest, BrowsedFileReplacesThePathOnRetry)
{
    Browsed browsed = BrowseThenPress(missing, existing, IDRETRY);
    EXPECT_TRUE(browsed.result);
    EXPECT_EQ(browsed.done, 1);
    EXPECT_EQ(browsed.unexpected, 0);
    EXPECT_EQ(browsed.path, existing);
}

TEST_F(ConfirmSourceFileTest, BrowsedFileIsDiscardedOnCancel)
{
    Browsed browsed = BrowseThenPress(missing, existing, IDCANCEL);
    EXPECT_FALSE(browsed.result);
    EXPECT_EQ(browsed.done, 1);
    EXPECT_EQ(browsed.path, missing);
}

// --- A dialog that cannot be shown ---

TEST_F(ConfirmSourceFileTest, DialogThatCannotBeShownEndsTheCheckAsACancel)
{
    // Resources taken from a module that has no copy error template.
    HMODULE noTemplates = GetModuleHandleA("kernel32.dll");
    ASSERT_EQ(FindResourceA(noTemplates, MAKEINTRESOURCEA(IDD_COPYERROR), RT_DIALOG), nullptr);
    CWinApp app;
    app.m_hInstance = noTemplates;

    // Counts the existence tests; should the check keep asking a dialog that
    // cannot appear, the twentieth test finds the file, so the test ends (and
    // fails) instead of hanging.
    int existenceTests = 0;
    ScopedApiOverride<&Win32Api::CreateFileA> open(
        [&](LPCSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD creation, DWORD flags,
            HANDLE templ) {
            if (++existenceTests >= 20)
                name = existing.c_str();
            return CreateFileA(name, access, share, sa, creation, flags, templ);
        });
    std::string path = missing;
    EXPECT_FALSE(ConfirmSourceFile(nullptr, path));
    EXPECT_EQ(existenceTests, 1);
    EXPECT_EQ(path, missing);
}

} // namespace
