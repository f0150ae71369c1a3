// The built KPXSETUP.EXE started as its own process, beside or without its
// settings file, with and without printers, as an administrator meets it.
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/RunningCopyWindow.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/ToolProcess.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

const DWORD kTimeout = 20000;

class StartupBlackboxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        ASSERT_FALSE(BuiltToolPath().empty()) << "KPX_EXE is not set";
    }

    // Copies the built program into the test folder under the given name.
    std::string Deploy(const std::string& name)
    {
        std::string target = m_dir.file(name);
        EXPECT_TRUE(CopyFileA(BuiltToolPath().c_str(), target.c_str(), FALSE));
        return target;
    }

    void WriteIni(const std::string& name = "KPXSETUP.INI")
    {
        ASSERT_TRUE(WriteFileBytes(m_dir.file(name), ToolSettingsText(std::vector<std::string>{})));
    }

    // Writes the settings file, starts the program beside it and returns the
    // first dialog it shows (null when none appears).
    HWND StartWithSettings(ToolProcess& tool)
    {
        WriteIni();
        if (!tool.Start(Deploy("KPXSETUP.EXE")))
            return nullptr;
        return tool.WaitForWindow("#32770", kTimeout);
    }

    // Starts the program, expects one message box, checks its caption,
    // returns its text and answers it with OK; the program must then end.
    std::string RunExpectingOneBox(const std::string& exe)
    {
        ToolProcess tool;
        EXPECT_TRUE(tool.Start(exe));
        HWND box = tool.WaitForWindow("#32770", kTimeout);
        if (!box) {
            ADD_FAILURE() << "no message box appeared";
            return {};
        }
        EXPECT_EQ(WindowText(box), LoadResString(IDS_APP_TITLE));
        std::string text = MessageBoxText(box);
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
        PressButton(box, IDOK);
        EXPECT_TRUE(tool.WaitForExit(kTimeout));
        return text;
    }

    TempDir m_dir{"blackbox"};
};

TEST_F(StartupBlackboxTest, NoPrinterShowsTheDriverMessage)
{
    WriteIni();
    EXPECT_EQ(RunExpectingOneBox(Deploy("KPXSETUP.EXE")), LoadResString(IDS_NO_DRIVER));
}

TEST_F(StartupBlackboxTest, OnlyAnotherMakersPrinterShowsTheDriverMessage)
{
    WriteIni();
    TestPrinter laser("Office Laser", kOtherDriver);
    ASSERT_TRUE(laser.added());
    EXPECT_EQ(RunExpectingOneBox(Deploy("KPXSETUP.EXE")), LoadResString(IDS_NO_DRIVER));
}

TEST_F(StartupBlackboxTest, NeitherPrinterNorSettingsFileShowsOnlyTheDriverMessage)
{
    // One box only: RunExpectingOneBox requires the program to end after OK.
    EXPECT_EQ(RunExpectingOneBox(Deploy("KPXSETUP.EXE")), LoadResString(IDS_NO_DRIVER));
}

TEST_F(StartupBlackboxTest, MissingSettingsFileIsNamed)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    std::string tail = LoadResString(IDS_FILE_NOT_FOUND).substr(2);
    EXPECT_EQ(RunExpectingOneBox(Deploy("KPXSETUP.EXE")), "KPXSETUP.INI" + tail);
}

TEST_F(StartupBlackboxTest, CopyUnderAnotherNameNamesItsOwnSettingsFile)
{
    TestPrinter plotter("Plotter 3F", kColorDriver);
    WriteIni(); // KPXSETUP.INI, which Tool.exe does not read
    std::string tail = LoadResString(IDS_FILE_NOT_FOUND).substr(2);
    EXPECT_EQ(RunExpectingOneBox(Deploy("Tool.exe")), "TOOL.INI" + tail);
}

TEST_F(StartupBlackboxTest, EveryCheckPassedShowsTheMainDialogUntilItIsClosed)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    TestPrinter laser("Office Laser", kOtherDriver);
    ToolProcess tool;
    HWND dlg = StartWithSettings(tool);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(WindowText(dlg), LoadResString(IDS_APP_TITLE));
    HWND list = GetDlgItem(dlg, IDC_PRINTER_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    char name[64] = {};
    SendMessageA(GetDlgItem(dlg, IDC_PRINTER_NAME), WM_GETTEXT, sizeof(name), reinterpret_cast<LPARAM>(name));
    EXPECT_STREQ(name, "Plotter 3F");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_SET)));

    // It stays until the user closes it; then the program ends.
    PumpMessages(500);
    EXPECT_TRUE(tool.Running());
    PressButton(dlg, IDOK);
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
}

TEST_F(StartupBlackboxTest, EscapeClosesTheMainDialogAndEndsTheProgram)
{
    TestPrinter plotter("Plotter 3F", kColorDriver);
    ToolProcess tool;
    HWND dlg = StartWithSettings(tool);
    ASSERT_NE(dlg, nullptr);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
}

TEST_F(StartupBlackboxTest, SecondStartRestoresTheRunningCopyAndEndsSilently)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    // No settings file: had the program got past the mutex it would say so.
    HANDLE running = CreateMutexA(nullptr, TRUE, "Global\\KPXSetupMutex");
    ASSERT_NE(running, nullptr);
    HWND window = CreateRunningCopyWindow(LoadResString(IDS_APP_TITLE));
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));

    ToolProcess tool;
    ASSERT_TRUE(tool.Start(Deploy("KPXSETUP.EXE")));
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
    PumpMessages(200);
    EXPECT_FALSE(IsIconic(window));

    DestroyWindow(window);
    CloseHandle(running);

    // Once the first copy has gone, a start gets past the guard again.
    std::string tail = LoadResString(IDS_FILE_NOT_FOUND).substr(2);
    EXPECT_EQ(RunExpectingOneBox(m_dir.file("KPXSETUP.EXE")), "KPXSETUP.INI" + tail);
}

TEST_F(StartupBlackboxTest, SecondStartWhileTheToolRunsRestoresItsMinimisedDialog)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    std::string exe = Deploy("KPXSETUP.EXE");
    ToolProcess first;
    ASSERT_TRUE(first.Start(exe));
    HWND dlg = first.WaitForDialog(LoadResString(IDS_APP_TITLE), kTimeout);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([dlg] { return IsIconic(dlg) != FALSE; }, kTimeout));
    PumpMessages(500);
    ASSERT_TRUE(IsIconic(dlg)) << "it stays minimised by itself";

    // The second copy shows nothing and ends; the first one's dialog is
    // back in its normal state.
    ToolProcess second;
    ASSERT_TRUE(second.Start(exe));
    EXPECT_TRUE(second.WaitForExit(kTimeout));
    EXPECT_TRUE(WaitUntil([dlg] { return IsIconic(dlg) == FALSE; }, kTimeout));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(first.VisibleWindows(), std::vector<HWND>{dlg});

    PressButton(dlg, IDOK);
    EXPECT_TRUE(first.WaitForExit(kTimeout));
}

} // namespace
