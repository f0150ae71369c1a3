// Help of the main dialog: the help paths follow the executable's name, the
// version command of the system menu, the help id table, and which engine the
// help button, F1 and the dialog's end reach on each platform class, with
// what arguments. The old engine is always the seam's stand-in (Wine's own
// blocks behind a message box when the file is missing); HTML Help is the
// stand-in control where the arguments matter and the real one otherwise.
#include "ui/Help.h"

#include "classlib/Dialog.h"
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/FakeHtmlHelpControl.h"
#include "support/ScopedModulePath.h"
#include "support/ScopedOsVersion.h"
#include "support/TempDir.h"
#include "support/WinHelpRecorder.h"

#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// Help paths

// The two help paths of an application started from `exePath`.
std::pair<std::string, std::string> HelpPathsOf(const char* exePath)
{
    ScopedModulePath module(exePath);
    CWinApp app("KPXSetup");
    app.InitApplication(GetModuleHandleA(nullptr));
    std::string appPath = AppHelpFilePath();
    return {appPath, GetHelpFilePath(appPath)};
}

TEST(HelpPaths, FollowTheExecutablesNameAndFolder)
{
    struct Row {
        const char* exe;
        const char* hlp;
        const char* chm;
    };
    const Row rows[] = {
        {"C:\\KPX\\KPXSETUP.EXE", "C:\\KPX\\KPXSETUP.HLP", "C:\\KPX\\KPXSETUP.chm"},
        {"C:\\Tools\\Tool.exe", "C:\\Tools\\Tool.HLP", "C:\\Tools\\Tool.chm"},
        {"D:\\a.b\\Setup.v2.exe", "D:\\a.b\\Setup.v2.HLP", "D:\\a.b\\Setup.v2.chm"},
        // A folder of double-byte characters whose trail byte is 0x5C.
        {"C:\\\x83\x5C\x83\x74\x83\x67\\KPXSETUP.EXE", "C:\\\x83\x5C\x83\x74\x83\x67\\KPXSETUP.HLP",
         "C:\\\x83\x5C\x83\x74\x83\x67\\KPXSETUP.chm"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.exe);
        std::pair<std::string, std::string> paths = HelpPathsOf(r.exe);
        EXPECT_EQ(r.hlp, paths.first);
        EXPECT_EQ(r.chm, paths.second);
    }
}

TEST(HelpPaths, NoApplicationObjectGivesNoPath)
{
    ASSERT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ("", AppHelpFilePath());
    EXPECT_EQ(".chm", GetHelpFilePath(""));
}

// ---------------------------------------------------------------------------
// The version command and the help id table

TEST(AboutBoxCommand, IsSixteenWhateverItsLowFourBits)
{
    for (UINT low = 0; low < 16; ++low) {
        SCOPED_TRACE(low);
        EXPECT_TRUE(IsAboutBoxCommand(0x0010 | low));
    }
    const UINT others[] = {0x0000,   0x000F,      0x0020,      0x0110,     0x1010,     SC_MOVE,
                           SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_KEYMENU, SC_MOVE | 2};
    for (UINT id : others) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(IsAboutBoxCommand(id));
    }
}

TEST(HelpIdTable, PairsEveryControlOfTheMainDialogWithItsTopicAndEndsWithZeros)
{
    const std::vector<std::pair<DWORD, DWORD>> expected = {
        {1006, 20000}, {1000, 20000}, {1007, 20001}, {1001, 20001},  {1008, 20002}, {1002, 20002},
        {1003, 20003}, {1004, 20004}, {1, 20005},    {57670, 20006}, {0, 0},
    };
    std::vector<std::pair<DWORD, DWORD>> table;
    for (const DWORD* p = HelpIdTable;; p += 2) {
        table.emplace_back(p[0], p[1]);
        if (p[0] == 0 && p[1] == 0)
            break;
        ASSERT_LT(table.size(), 100u) << "no (0, 0) end";
    }
    EXPECT_EQ(expected, table);
}

TEST(HelpIdTable, NamesOnlyControlsOfTheMainDialogTemplate)
{
    InitCommonControlClasses();
    CDialog dlg(IDD_KPXSETUP_DIALOG);
    ASSERT_TRUE(dlg.Create());
    for (const DWORD* p = HelpIdTable; p[0] != 0; p += 2) {
        SCOPED_TRACE(p[0]);
        EXPECT_NE(nullptr, ::GetDlgItem(dlg.m_hWnd, static_cast<int>(p[0])));
    }
    dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------
// The engines by platform class

const OsClass kWinHelpClasses[] = {OsWin9x, OsNT4};
const OsClass kHtmlHelpClasses[] = {OsUnknown, Os2000, OsXP, Os2003, OsVista, Os2008, Os7, Os2008R2, Os81, Os2012R2};

const char kHlp[] = "C:\\KPX\\KPXSETUP.HLP";
const char kChm[] = "C:\\KPX\\KPXSETUP.chm";

// The list of calls a stand-in holds after exactly this one.
std::vector<HelpCall> OneCall(const HelpCall& call)
{
    return {call};
}

// The main dialog, made for real so that the window handles are those F1
// would report; every help call goes to the two stand-ins.
class HelpEngines : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitCommonControlClasses();
        ASSERT_TRUE(m_dlg.Create());
    }
    void TearDown() override { m_dlg.DestroyWindow(); }

    HWND Dlg() const { return m_dlg.m_hWnd; }

    // On each of `classes`, `act` leaves `engine` (a stand-in's list of
    // calls) with exactly the one call `expected`.
    template <size_t N>
    void ExpectOneCallOn(const OsClass (&classes)[N], std::vector<HelpCall>& engine, const HelpCall& expected,
                         const std::function<void()>& act)
    {
        for (OsClass os : classes) {
            SCOPED_TRACE(os);
            engine.clear();
            ScopedOsVersion platform(os);
            act();
            EXPECT_EQ(OneCall(expected), engine);
        }
    }
    HWND Item(int id) const { return ::GetDlgItem(m_dlg.m_hWnd, id); }

    // The record F1 gives for the control.
    HELPINFO HelpFor(int id) const
    {
        HELPINFO info = {};
        info.cbSize = sizeof(info);
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = id;
        info.hItemHandle = Item(id);
        return info;
    }

    WinHelpRecorder m_winHelp;
    FakeHtmlHelpControl m_control;
    CHtmlHelp m_htmlHelp; // after the fake control it loads
    CDialog m_dlg{IDD_KPXSETUP_DIALOG};
};

TEST_F(HelpEngines, HelpButtonOpensTheHlpContentsOnWin9xAndNT4)
{
    ExpectOneCallOn(kWinHelpClasses, m_winHelp.calls, {Dlg(), kHlp, HELP_INDEX, 0},
                    [&] { OpenHelpContents(Dlg(), kHlp, m_htmlHelp); });
    EXPECT_TRUE(m_control.loadedNames.empty()) << "HTML Help is not even loaded";
}

TEST_F(HelpEngines, HelpButtonOpensTheChmDefaultTopicElsewhere)
{
    ExpectOneCallOn(kHtmlHelpClasses, m_control.calls, {Dlg(), kChm, HH_DISPLAY_TOPIC, 0},
                    [&] { OpenHelpContents(Dlg(), kHlp, m_htmlHelp); });
    EXPECT_TRUE(m_winHelp.calls.empty());
}

TEST_F(HelpEngines, F1ShowsTheControlsPopupThroughTheTableOnWin9xAndNT4)
{
    for (OsClass os : kWinHelpClasses) {
        SCOPED_TRACE(os);
        ScopedOsVersion platform(os);
        for (int id : {IDC_PRINTER_NAME, IDOK}) {
            SCOPED_TRACE(id);
            m_winHelp.calls.clear();
            HELPINFO info = HelpFor(id);
            EXPECT_TRUE(ShowControlHelp(Dlg(), &info, kHlp, m_htmlHelp));
            EXPECT_EQ(OneCall({Item(id), kHlp, HELP_WM_HELP, reinterpret_cast<ULONG_PTR>(HelpIdTable)}),
                      m_winHelp.calls);
        }
    }
    EXPECT_TRUE(m_control.calls.empty());
}

TEST_F(HelpEngines, F1ReturnsWhatTheOldEngineReturned)
{
    ScopedOsVersion platform(OsWin9x);
    HELPINFO info = HelpFor(IDC_SET);
    m_winHelp.result = FALSE;
    EXPECT_FALSE(ShowControlHelp(Dlg(), &info, kHlp, m_htmlHelp));
    m_winHelp.result = TRUE;
    EXPECT_TRUE(ShowControlHelp(Dlg(), &info, kHlp, m_htmlHelp));
}

TEST_F(HelpEngines, F1InAMenuShowsNoControlPopup)
{
    ScopedOsVersion platform(OsNT4);
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_MENUITEM;
    info.iCtrlId = SC_CLOSE;
    info.hItemHandle = GetSystemMenu(Dlg(), FALSE);
    EXPECT_TRUE(ShowControlHelp(Dlg(), &info, kHlp, m_htmlHelp));
    EXPECT_TRUE(m_winHelp.calls.empty());
}

TEST_F(HelpEngines, F1OpensTheSameDefaultTopicWhateverTheControlElsewhere)
{
    for (OsClass os : {Os7, OsXP, OsUnknown}) {
        SCOPED_TRACE(os);
        ScopedOsVersion platform(os);
        m_control.calls.clear();
        HELPINFO onSet = HelpFor(IDC_SET);
        HELPINFO onList = HelpFor(IDC_PRINTER_LIST);
        EXPECT_TRUE(ShowControlHelp(Dlg(), &onSet, kHlp, m_htmlHelp));
        EXPECT_TRUE(ShowControlHelp(Dlg(), &onList, kHlp, m_htmlHelp));
        const HelpCall topic = {Dlg(), kChm, HH_DISPLAY_TOPIC, 0};
        EXPECT_EQ((std::vector<HelpCall>{topic, topic}), m_control.calls);
    }
    EXPECT_TRUE(m_winHelp.calls.empty());
}

TEST_F(HelpEngines, ClosingQuitsTheOldEngineForTheHlpOnWin9xAndNT4)
{
    ExpectOneCallOn(kWinHelpClasses, m_winHelp.calls, {Dlg(), kHlp, HELP_QUIT, 0},
                    [&] { CloseHelpWindows(Dlg(), kHlp, m_htmlHelp); });
    EXPECT_TRUE(m_control.calls.empty());
}

TEST_F(HelpEngines, ClosingClosesEveryHtmlHelpWindowOnceHelpWasOpened)
{
    ScopedOsVersion platform(Os7);
    OpenHelpContents(Dlg(), kHlp, m_htmlHelp);
    m_control.calls.clear();

    CloseHelpWindows(Dlg(), kHlp, m_htmlHelp);
    EXPECT_EQ(OneCall({nullptr, "<null>", HH_CLOSE_ALL, 0}), m_control.calls);
    EXPECT_TRUE(m_winHelp.calls.empty());
}

TEST_F(HelpEngines, ClosingWithoutHelpEverOpenedDoesNotLoadHtmlHelp)
{
    ScopedOsVersion platform(OsXP);
    CloseHelpWindows(Dlg(), kHlp, m_htmlHelp);
    EXPECT_TRUE(m_control.loadedNames.empty());
    EXPECT_TRUE(m_control.calls.empty());
    EXPECT_TRUE(m_winHelp.calls.empty());
}

TEST_F(HelpEngines, MissingHtmlHelpControlDoesNothing)
{
    m_control.present = false;
    ScopedOsVersion platform(Os7);
    HELPINFO info = HelpFor(IDC_PRINTER_LIST);
    OpenHelpContents(Dlg(), kHlp, m_htmlHelp);
    EXPECT_TRUE(ShowControlHelp(Dlg(), &info, kHlp, m_htmlHelp));
    CloseHelpWindows(Dlg(), kHlp, m_htmlHelp);
    EXPECT_FALSE(m_control.loadedNames.empty());
    EXPECT_TRUE(m_control.calls.empty());
    EXPECT_TRUE(m_winHelp.calls.empty());
}

// The process's own HTML Help, for real: a missing .chm beside the executable
// is reported by nothing and costs no time.
TEST(HelpWithRealHtmlHelp, MissingChmOpensNothingAndReturnsAtOnce)
{
    TempDir dir("kpxhelp");
    std::string hlp = dir.file("KPXSETUP.HLP");
    ScopedOsVersion platform(Os7);
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    info.iContextType = HELPINFO_WINDOW;

    DWORD start = GetTickCount();
    OpenHelpContents(nullptr, hlp);
    EXPECT_TRUE(ShowControlHelp(nullptr, &info, hlp));
    CloseHelpWindows(nullptr, hlp);
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_TRUE(TheHtmlHelp().IsLoaded());
}

} // namespace
