// The overwrite question as the user sees it: the file's name, both files'
// sizes and last-write times written into the template's own texts, the four
// answers, Enter, Esc and the close box, and F1 doing nothing.
#include "ui/OverwriteDlg.h"

#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/HelpProbe.h"
#include "support/ScopedTimeZone.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// 4 March 2021 at that time of day, UTC.
SYSTEMTIME March4Utc(WORD hour, WORD minute, WORD second)
{
    return {2021, 3, 0, 4, hour, minute, second, 0};
}

// A file of that size without writing its bytes (sparse on the test
// machine's file system).
bool MakeFileOfSize(const std::string& path, ULONGLONG size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER end;
    end.QuadPart = static_cast<LONGLONG>(size);
    bool ok = SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return ok;
}


std::string Modified(const char* time)
{
    return Cp932(u8"更新日時: ") + time;
}

// The dialog made without a loop of its own, so its statics can be read.
class ShownDialog {
public:
    ShownDialog(const std::string& newFile, const std::string& existingFile)
    {
        dlg.SetFiles(newFile.c_str(), existingFile.c_str());
        created = dlg.Create() != FALSE;
    }
    std::string Text(int id) const { return dlg.GetDlgItemText(id); }
    // Each control of the list shows its text, byte for byte.
    void ExpectTexts(const std::vector<std::pair<int, std::string>>& texts) const
    {
        for (const auto& t : texts)
            EXPECT_PRED_FORMAT2(SameBytes, t.second, Text(t.first)) << "control " << t.first;
    }

    COverwriteDlg dlg;
    bool created = false;
};

// --- What the dialog shows ---

TEST(OverwriteDlgTest, ShowsTheFileNameAndBothFilesSizeAndLocalTime)
{
    ScopedTimeZone tokyo("JST-9");
    TempDir dir;
    // The katakana "so" ends in a backslash byte: the name is still whole.
    std::string existing = dir.file("\x83\x5C"
                                    "file.kpx");
    std::string incoming = dir.file("new.kpx");
    ASSERT_TRUE(WriteFileBytes(existing, std::string(1536, 'x')));
    ASSERT_TRUE(WriteFileBytes(incoming, std::string(1535, 'y')));
    ASSERT_TRUE(SetFileTimeUtc(existing, March4Utc(5, 6, 7)));
    ASSERT_TRUE(SetFileTimeUtc(incoming, March4Utc(15, 30, 0)));

    ShownDialog shown(incoming, existing);
    ASSERT_TRUE(shown.created);
    shown.ExpectTexts({{IDC_OVERWRITE_FILE, AlreadyThereText(Cp932(u8"ソfile.kpx"))},
                       {IDC_EXISTING_SIZE, "2 KB"},
                       {IDC_EXISTING_TIME, Modified("2021/03/04 14:06")},
                       {IDC_NEW_SIZE, "1 KB"},
                       {IDC_NEW_TIME, Modified("2021/03/05 00:30")}});
}

TEST(OverwriteDlgTest, FilesThatDifferOnlyInSecondsShowTheSameTime)
{
    ScopedTimeZone tokyo("JST-9");
    TempDir dir;
    std::string existing = dir.file("a.kpx");
    std::string incoming = dir.file("b.kpx");
    ASSERT_TRUE(WriteFileBytes(existing, ""));
    ASSERT_TRUE(WriteFileBytes(incoming, "z"));
    ASSERT_TRUE(SetFileTimeUtc(existing, March4Utc(5, 6, 0)));
    ASSERT_TRUE(SetFileTimeUtc(incoming, March4Utc(5, 6, 59)));

    ShownDialog shown(incoming, existing);
    ASSERT_TRUE(shown.created);
    shown.ExpectTexts({{IDC_EXISTING_SIZE, "0 KB"},
                       {IDC_NEW_SIZE, "1 KB"},
                       {IDC_EXISTING_TIME, Modified("2021/03/04 14:06")},
                       {IDC_NEW_TIME, Modified("2021/03/04 14:06")}});
}

TEST(OverwriteDlgTest, SizesBeyondTheThirtyTwoBitRangeShowAsTheyAre)
{
    TempDir dir;
    const ULONGLONG GB = 1024ULL * 1024 * 1024;
    std::string existing = dir.file("huge.kpx");
    std::string incoming = dir.file("big.kpx");
    if (!MakeFileOfSize(existing, 5 * GB * 1024 + 1536) || !MakeFileOfSize(incoming, 5 * GB))
        GTEST_SKIP() << "the file system holds no files of terabytes";

    ShownDialog shown(incoming, existing);
    ASSERT_TRUE(shown.created);
    EXPECT_EQ(shown.Text(IDC_EXISTING_SIZE), "5368709122 KB");
    EXPECT_EQ(shown.Text(IDC_NEW_SIZE), "5242880 KB");
}

TEST(OverwriteDlgTest, UnreadableFilesKeepTheTemplateTexts)
{
    TempDir dir;
    std::string incoming = dir.file("new.kpx");
    ASSERT_TRUE(WriteFileBytes(incoming, std::string(2560, 'n')));

    ShownDialog shown(incoming, dir.file("gone.kpx"));
    ASSERT_TRUE(shown.created);
    shown.ExpectTexts({{IDC_OVERWRITE_FILE, AlreadyThereText("gone.kpx")},
                       {IDC_EXISTING_SIZE, "%d KB"},
                       {IDC_EXISTING_TIME, Modified("%s")},
                       {IDC_NEW_SIZE, "3 KB"}});

    ShownDialog nothing("", "");
    ASSERT_TRUE(nothing.created);
    nothing.ExpectTexts(
        {{IDC_OVERWRITE_FILE, AlreadyThereText("")}, {IDC_NEW_SIZE, "%d KB"}, {IDC_NEW_TIME, Modified("%s")}});
}

// --- The answers ---

TEST(OverwriteDlgTest, EachAnswerEndsTheRunWithItsId)
{
    TempDir dir;
    std::string existing = dir.file("same.kpx");
    std::string incoming = dir.file("src.kpx");
    ASSERT_TRUE(WriteFileBytes(existing, "old"));
    ASSERT_TRUE(WriteFileBytes(incoming, std::string(3000, 'n')));

    const struct {
        const char* how;
        std::function<void(HWND)> answer;
        INT_PTR result;
    } cases[] = {
        {"Yes", [](HWND d) { ClickButton(d, IDYES); }, IDYES},
        {"Overwrite all", [](HWND d) { ClickButton(d, IDC_OVERWRITE_ALL); }, IDC_OVERWRITE_ALL},
        {"No", [](HWND d) { ClickButton(d, IDNO); }, IDNO},
        {"Cancel", [](HWND d) { ClickButton(d, IDCANCEL); }, IDCANCEL},
        {"Enter", [](HWND d) { PressKey(d, VK_RETURN); }, IDYES},
        {"Esc", [](HWND d) { PressKey(d, VK_ESCAPE); }, IDCANCEL},
        {"close box", [](HWND d) { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL},
    };
    // One object answers every time, as the installation of one file uses it.
    COverwriteDlg dlg;
    for (const auto& c : cases) {
        dlg.SetFiles(incoming.c_str(), existing.c_str());
        std::string sizeShown;
        DialogDriver driver({{OverwriteCaption(), [&](HWND d) {
                                  sizeShown = DialogItemText(d, IDC_NEW_SIZE);
                                  c.answer(d);
                              }}});
        INT_PTR result = dlg.DoModal();
        EXPECT_TRUE(driver.FinishAfter(1)) << c.how;
        EXPECT_EQ(result, c.result) << c.how;
        EXPECT_EQ(sizeShown, "3 KB") << c.how;
    }
}

// --- F1 ---

TEST(OverwriteDlgTest, F1IsHandledWithoutReachingTheOwner)
{
    // A dialog that leaves WM_HELP to the dialog manager hands it on to its
    // owner, where the main dialog would open the help.
    F1Outcome plain =
        PressF1(IDD_OVERWRITE, IDYES, [](CWnd* owner) { return std::make_unique<CDialog>(IDD_OVERWRITE, owner); });
    ASSERT_TRUE(plain.created);
    EXPECT_EQ(plain.reachedOwner, 1);

    F1Outcome f1 = PressF1(IDD_OVERWRITE, IDYES, [](CWnd* owner) { return std::make_unique<COverwriteDlg>(owner); });
    EXPECT_TRUE(HandledInPlace(f1));
}

} // namespace
