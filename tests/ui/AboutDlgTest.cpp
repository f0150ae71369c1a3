// The version dialog as the user sees it: the banner, the four lines of the
// version text, F1 that shows nothing, and the modal run that OK ends.
#include "ui/AboutDlg.h"

#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/HelpProbe.h"
#include "support/PictureSizes.h"
#include "support/TextLines.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The picture static of the dialog: the child with SS_BITMAP.
HWND BannerOf(HWND dlg)
{
    for (HWND child = GetWindow(dlg, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            return child;
    }
    return nullptr;
}

TEST(AboutDlg, EditShowsTitleVersionEmptyAndCopyrightLines)
{
    CAboutDlg dlg;
    ASSERT_TRUE(dlg.Create());
    std::string text = dlg.GetDlgItemText(IDC_VERSION_TEXT);
    dlg.DestroyWindow();

    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_VERSION_TEXT), text);
    std::vector<std::string> lines = SplitCrLfLines(text);
    ASSERT_EQ(4u, lines.size()) << Utf8FromCp932(text);
    EXPECT_PRED_FORMAT2(SameBytes, MainCaption(), lines[0]);
    EXPECT_EQ(0u, lines[1].rfind("Version ", 0)) << lines[1];
    EXPECT_EQ("", lines[2]);
    EXPECT_EQ(0u, lines[3].rfind("Copyright ", 0)) << lines[3];
}

TEST(AboutDlg, EditShowsFourLinesAndCannotBeTypedInto)
{
    CAboutDlg dlg;
    ASSERT_TRUE(dlg.Create());
    HWND edit = ::GetDlgItem(dlg.m_hWnd, IDC_VERSION_TEXT);
    EXPECT_EQ(4, SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);
    std::string before = dlg.GetDlgItemText(IDC_VERSION_TEXT);
    SendMessageA(edit, WM_CHAR, 'x', 0);
    EXPECT_EQ(before, dlg.GetDlgItemText(IDC_VERSION_TEXT));
    dlg.DestroyWindow();
}

TEST(AboutDlg, BannerShowsBitmap130AtItsOwnSize)
{
    CAboutDlg dlg;
    ASSERT_TRUE(dlg.Create());
    HWND banner = BannerOf(dlg.m_hWnd);
    ASSERT_NE(nullptr, banner);

    EXPECT_EQ((std::vector<int>{448, 224, 448, 224}), PictureSizes(banner));
    dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------
// F1 stays in the dialog

TEST(AboutDlg, F1IsHandledAndNeverReachesTheOwner)
{
    F1Outcome f1 = PressF1(IDD_ABOUTBOX, IDOK, [](CWnd* owner) { return std::make_unique<CAboutDlg>(owner); });
    EXPECT_TRUE(HandledInPlace(f1));
}

TEST(AboutDlg, WithoutItsHandlerF1WouldReachTheOwner)
{
    // The same template in a plain dialog: the system passes F1 on to the
    // owner, whose handler would open the main help.
    F1Outcome f1 =
        PressF1(IDD_ABOUTBOX, IDOK, [](CWnd* owner) { return std::make_unique<CDialog>(IDD_ABOUTBOX, owner); });
    ASSERT_TRUE(f1.created);
    EXPECT_EQ(1, f1.reachedOwner);
}

// ---------------------------------------------------------------------------
// The modal run

TEST(AboutDlg, RunsModallyUntilOkAndShowsTheVersionTextMeanwhile)
{
    const std::string caption = AboutCaption();
    std::string seenText;
    DialogDriver driver({{caption, [&](HWND dlg) {
                              seenText = DialogItemText(dlg, IDC_VERSION_TEXT);
                              ClickButton(dlg, IDOK);
                          }}});
    INT_PTR result = RunAboutDlg();
    ASSERT_TRUE(driver.FinishAfter(1)) << "the version dialog did not appear";
    EXPECT_EQ(IDOK, result);
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_VERSION_TEXT), seenText);
    EXPECT_EQ(nullptr, FindWindowA(MAKEINTATOM(0x8002), caption.c_str()));
}

} // namespace
