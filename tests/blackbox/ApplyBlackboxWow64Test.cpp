// The built KPXSETUP.EXE on 64-bit Windows (a private 64-bit prefix, where
// the 32-bit program runs under WOW64): it reads and writes PLOTA2.INI and
// installs the profiles in the native system directory
// (drive_c/windows/system32), never in its 32-bit substitute (syswow64), and
// its overwrite prompt describes the native file. Files are looked at from
// the host side, past the redirection this 32-bit test is subject to too.
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/IniSection.h"
#include "support/RemoteMainDialog.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Lines = std::vector<std::string>;

TEST(ApplyBlackboxWow64, ReadsWritesAndInstallsInTheNativeSystemDirectory)
{
    ASSERT_FALSE(PrefixPath("").empty()) << "WINEPREFIX is not set";
    ASSERT_TRUE(PathExists(RedirectedSystemFile(""))) << "not a 64-bit prefix";
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());

    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    const std::string rest = "%KPXSETUP%\\poster\\rest.kpx";
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText(
        {"Office", "Poster"}, {SetFiles("Poster", "%KPXSETUP%\\poster\\auto.kpx", rest, rest, rest)})));
    ASSERT_FALSE(folder.WriteProfile("poster\\auto.kpx", "poster auto").empty());
    ASSERT_FALSE(folder.WriteProfile("poster\\rest.kpx", "poster rest").empty());

    // Different contents on the two sides tell which one the tool used.
    ASSERT_TRUE(WriteFileBytes(NativeSystemFile("PLOTA2.INI"),
                               DriverSettingsText({{"Plotter 3F", {{"ColorProfileSetName", "Office"}}}})));
    ASSERT_TRUE(WriteFileBytes(RedirectedSystemFile("PLOTA2.INI"),
                               DriverSettingsText({{"Plotter 3F", {{"ColorProfileSetName", "Art"}}}})));
    ASSERT_TRUE(WriteFileBytes(NativeSystemFile("auto.kpx"), std::string(3000, 'n'))); // 3 KB
    ASSERT_TRUE(WriteFileBytes(RedirectedSystemFile("auto.kpx"), "w"));                // 1 KB

    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    EXPECT_EQ(main.Rows(), (std::vector<Lines>{{"Plotter 3F", "Office", "FILE:"}}));

    ASSERT_TRUE(main.PickSet("Poster"));
    main.PressSet();
    EXPECT_FALSE(AnswerMessageBox(tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK).empty());
    HWND prompt = tool.WaitForDialog(OverwriteCaption(), kTimeout);
    ASSERT_NE(prompt, nullptr) << DescribeWindows(tool.VisibleWindows());
    EXPECT_EQ(DialogItemText(prompt, IDC_OVERWRITE_FILE), AlreadyThereText("auto.kpx"));
    EXPECT_EQ(DialogItemText(prompt, IDC_EXISTING_SIZE), "3 KB");
    PressButton(prompt, IDYES);
    EXPECT_TRUE(WaitForWindowToClose(prompt, kTimeout));
    ExpectApplyDone(tool, main);
    EXPECT_EQ(main.Rows()[0][1], "Poster");
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));

    EXPECT_EQ(ReadFileBytes(NativeSystemFile("auto.kpx")), "poster auto");
    EXPECT_EQ(ReadFileBytes(NativeSystemFile("rest.kpx")), "poster rest");
    // The printer has the 32-bit driver only, so its directory is the one
    // that serves.
    EXPECT_EQ(ReadFileBytes(OnHost(DriverDirectoryFile("auto.kpx"))), "poster auto");
    EXPECT_EQ(ReadFileBytes(OnHost(DriverDirectoryFile("rest.kpx"))), "poster rest");
    EXPECT_EQ(
        IniSection(NativeSystemFile("PLOTA2.INI"), "Plotter 3F"),
        (Lines{"ColorProfileSetName=Poster", "Auto=auto.kpx", "Font=rest.kpx", "Tone=rest.kpx", "Vividness=rest.kpx"}));

    // The 32-bit substitutes are untouched.
    EXPECT_EQ(ReadFileBytes(RedirectedSystemFile("auto.kpx")), "w");
    EXPECT_FALSE(PathExists(RedirectedSystemFile("rest.kpx")));
    EXPECT_EQ(IniSection(RedirectedSystemFile("PLOTA2.INI"), "Plotter 3F"), (Lines{"ColorProfileSetName=Art"}));
}

} // namespace
