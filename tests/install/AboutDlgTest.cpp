// The version dialog as the user sees it: the banner, the four lines of the
// version text, F1 that shows nothing, and the modal run that OK ends.
#include "install/AboutDlg.h"

#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 2;
    }
}

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
    std::vector<std::string> lines = SplitLines(text);
    ASSERT_EQ(4u, lines.size()) << Utf8FromCp932(text);
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"PLOTARA ｶﾗｰﾌﾟﾛﾌｧｲﾙ 設定ﾂｰﾙ"), lines[0]);
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

    HBITMAP shown = reinterpret_cast<HBITMAP>(SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, shown);
    BITMAP bm = {};
    ASSERT_NE(0, GetObjectA(shown, sizeof(bm), &bm));
    EXPECT_EQ(448, bm.bmWidth);
    EXPECT_EQ(224, bm.bmHeight);

    RECT rc = {};
    GetClientRect(banner, &rc);
    EXPECT_EQ(448, rc.right - rc.left);
    EXPECT_EQ(224, rc.bottom - rc.top);
    dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------
// F1 stays in the dialog

std::vector<UINT> g_ownerMessages;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP)
        g_ownerMessages.push_back(message);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

// A plain top-level window standing in for the main dialog, recording WM_HELP.
class RecordingOwner : public CWnd {
public:
    RecordingOwner()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &OwnerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "KpxAboutOwner";
        RegisterClassA(&wc);  // already registered by an earlier test is fine
        m_hWnd = CreateWindowA("KpxAboutOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        g_ownerMessages.clear();
    }
    ~RecordingOwner() override { ::DestroyWindow(m_hWnd); }
};

LRESULT PressF1(HWND dlg)
{
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = IDOK;
    info.hItemHandle = ::GetDlgItem(dlg, IDOK);
    return SendMessageA(dlg, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

TEST(AboutDlg, F1IsHandledAndNeverReachesTheOwner)
{
    RecordingOwner owner;
    ASSERT_NE(nullptr, owner.m_hWnd);
    CAboutDlg dlg(&owner);
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(TRUE, PressF1(dlg.m_hWnd));
    EXPECT_TRUE(g_ownerMessages.empty());
    EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    dlg.DestroyWindow();
}

TEST(AboutDlg, WithoutItsHandlerF1WouldReachTheOwner)
{
    // The same template in a plain dialog: the system passes F1 on to the
    // owner, whose handler would open the main help.
    RecordingOwner owner;
    CDialog plain(IDD_ABOUTBOX, &owner);
    ASSERT_TRUE(plain.Create());
    PressF1(plain.m_hWnd);
    EXPECT_EQ(std::vector<UINT>{WM_HELP}, g_ownerMessages);
    plain.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The modal run

TEST(AboutDlg, RunsModallyUntilOkAndShowsTheVersionTextMeanwhile)
{
    const std::string caption = Cp932(u8"ﾊﾞｰｼﾞｮﾝ情報");
    std::atomic<bool> found{false};
    std::string seenText;
    std::thread user([&] {
        for (int i = 0; i < 200 && !found; ++i) {
            HWND dlg = FindWindowA(MAKEINTATOM(0x8002), caption.c_str());
            DWORD pid = 0;
            if (dlg && GetWindowThreadProcessId(dlg, &pid) && pid == GetCurrentProcessId() &&
                IsWindowVisible(dlg)) {
                seenText = WindowText(::GetDlgItem(dlg, IDC_VERSION_TEXT));
                found = true;
                PressButton(dlg, IDOK);
                return;
            }
            Sleep(50);
        }
    });
    INT_PTR result = RunAboutDlg();
    user.join();

    ASSERT_TRUE(found) << "the version dialog did not appear";
    EXPECT_EQ(IDOK, result);
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_VERSION_TEXT), seenText);
    EXPECT_EQ(nullptr, FindWindowA(MAKEINTATOM(0x8002), caption.c_str()));
}

} // namespace
