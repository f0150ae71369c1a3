// What the built KPXSETUP.EXE does differently by the Windows version it is
// told (Wine's per-program version setting, under the name KPXSETUP.EXE) and
// with Terminal Services running: the characters refused in a printer name,
// the name's length limit, the help engine, where PLOTA2.INI lives, and
// whether profiles go to the printer's driver directory too. The same
// scenarios run for every row of the tables, each in a private 32-bit prefix.
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
#include "support/WineMachine.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Lines = std::vector<std::string>;

enum class HelpEngine { WinHelp, HtmlHelp };

struct Version {
    const char* name;    // test name
    const char* setting; // Wine's version setting; "" leaves the prefix's default, Windows 7
    UINT nameLimit;
    const char* typed; // the name edit's text when ! = ; \ , are typed after "P"
    HelpEngine help;
};

// Windows 10 reports 6.2 to a program without supported-OS entries in its
// manifest, which the tool classes as unknown: the rules of the unknown class.
const Version kVersions[] = {
    {"Windows98", "win98", 31, "P!", HelpEngine::WinHelp},
    {"WindowsXP", "winxp", 220, "P=;", HelpEngine::HtmlHelp},
    {"Windows7", "", 256, "P!=;", HelpEngine::HtmlHelp},
    {"Windows10", "win10", 220, "P!=;", HelpEngine::HtmlHelp},
};

enum class IniHome { WindowsDirectory, SystemDirectory, UserProfile };

struct Machine {
    const char* name;
    const char* setting;
    bool terminalServices;
    IniHome driverIni;    // the folder of PLOTA2.INI
    bool driverDirectory; // profiles are installed in the driver directory too
};

const Machine kMachines[] = {
    {"Windows98", "win98", false, IniHome::WindowsDirectory, false},
    {"Windows98TerminalServices", "win98", true, IniHome::WindowsDirectory, false},
    {"WindowsXP", "winxp", false, IniHome::SystemDirectory, true},
    {"Windows7", "", false, IniHome::SystemDirectory, true},
    {"Windows10", "win10", false, IniHome::SystemDirectory, true},
    {"Windows7TerminalServices", "", true, IniHome::UserProfile, true},
    {"Windows10TerminalServices", "win10", true, IniHome::UserProfile, true},
};

// Test names and failure messages show a row by its name.
void PrintTo(const Version& version, std::ostream* os)
{
    *os << version.name;
}

void PrintTo(const Machine& machine, std::ostream* os)
{
    *os << machine.name;
}

std::string WindowsDirectory()
{
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return dir;
}

std::string DriverIniFolder(IniHome home)
{
    switch (home) {
    case IniHome::WindowsDirectory:
        return WindowsDirectory();
    case IniHome::SystemDirectory:
        return SystemDirectory();
    default:
        return UserDriverIniFolder();
    }
}

const std::string kSettings = ToolSettingsText(
    {"Office", "Poster"}, {SetFiles("Office", "%KPXSETUP%\\office.kpx"), SetFiles("Poster", "%KPXSETUP%\\poster.kpx")});

// The deployed tool with the settings above and set Poster's one file.
bool DeployWithPoster(const ToolFolder& folder)
{
    return folder.deployed() && folder.WriteSettings(kSettings) && !folder.WriteProfile("poster.kpx", "poster").empty();
}

// Opens the version dialog (already asked for), checks its text and closes it.
void ExpectVersionDialog(const ToolProcess& tool)
{
    HWND about = tool.WaitForDialog(AboutCaption(), kTimeout);
    ASSERT_NE(about, nullptr) << DescribeWindows(tool.VisibleWindows());
    std::string text = DialogItemText(about, IDC_VERSION_TEXT);
    EXPECT_PRED_FORMAT2(SameBytes, LoadResourceString(IDS_VERSION_TEXT), text);
    EXPECT_EQ(text.rfind(MainCaption() + "\r\n", 0), 0u) << "the first line is the program's title";
    PressButton(about, IDOK);
    EXPECT_TRUE(WaitForWindowToClose(about, kTimeout));
}

class VersionBlackbox : public ::testing::TestWithParam<Version> {};

TEST_P(VersionBlackbox, StartsTypesShowsVersionAndHelpAsTheVersionDemands)
{
    const Version& version = GetParam();
    ASSERT_TRUE(SetProgramWindowsVersion("KPXSETUP.EXE", version.setting));
    // A name longer than any limit: the limit binds typing only, not the
    // name the dialog puts in.
    const std::string longName = "Plotter 3F of the drawing office, second floor, east wing";
    TestPrinter plotter(longName, kDriver);
    ASSERT_TRUE(plotter.added());
    ASSERT_TRUE(SetDefaultTestPrinter(longName));
    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());

    // Start-up without the settings file names it and ends.
    {
        ToolProcess tool;
        ASSERT_TRUE(tool.Start(folder.exe()));
        EXPECT_EQ(AnswerMessageBox(tool, MainCaption(), IDOK), Cp932(u8"KPXSETUP.INIﾌｧｲﾙが見つかりません。"));
        EXPECT_TRUE(tool.WaitForExit(kTimeout));
    }

    ASSERT_TRUE(folder.WriteSettings(kSettings));
    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    EXPECT_EQ(main.Name(), longName);

    // The refused characters are dropped from what is typed, the others kept.
    main.SetName("P");
    EXPECT_EQ(main.TypeName("!=;\\,"), version.typed);

    // The length limit binds typing.
    EXPECT_EQ(main.NameLimit(), version.nameLimit);
    main.SetName("");
    EXPECT_EQ(main.TypeName(std::string(version.nameLimit + 5, 'n')), std::string(version.nameLimit, 'n'));

    // The version dialog, from its button and from the system menu.
    main.PressVersion();
    ExpectVersionDialog(tool);
    main.SystemCommand(IDM_ABOUTBOX);
    ExpectVersionDialog(tool);

    // Help: HTML Help opens KPXSETUP.chm beside the program in a window of
    // the program's own; the old engine (Wine's winhlp32, another program)
    // cannot find KPXSETUP.HLP, which is not shipped, and asks whether to
    // look for it: answered No, the tool goes on.
    main.PressHelp();
    if (version.help == HelpEngine::HtmlHelp) {
        HWND help = tool.WaitForWindow("HH Parent", kTimeout);
        ASSERT_NE(help, nullptr) << DescribeWindows(tool.VisibleWindows());
        EXPECT_NE(WindowText(help).find(Cp932(u8"ﾍﾙﾌﾟ")), std::string::npos);
        EXPECT_EQ(tool.WaitForOtherProgramsDialog(0), nullptr);
    } else {
        HWND box = tool.WaitForOtherProgramsDialog(kTimeout);
        ASSERT_NE(box, nullptr) << DescribeWindows(tool.VisibleWindows());
        EXPECT_NE(MessageBoxText(box).find(folder.file("KPXSETUP.HLP")), std::string::npos)
            << Utf8FromCp932(MessageBoxText(box));
        PressButton(box, IDNO);
        EXPECT_TRUE(WaitForWindowToClose(box, kTimeout));
        EXPECT_EQ(tool.WaitForWindow("HH Parent", 0), nullptr);
    }

    // Close ends the program, and its help with it.
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionBlackbox, ::testing::ValuesIn(kVersions),
                         [](const ::testing::TestParamInfo<Version>& info) { return info.param.name; });

class MachineBlackbox : public ::testing::TestWithParam<Machine> {};

TEST_P(MachineBlackbox, ReadsAndRecordsTheSetWhereThePlatformKeepsPLOTA2)
{
    const Machine& machine = GetParam();
    ASSERT_TRUE(SetProgramWindowsVersion("KPXSETUP.EXE", machine.setting));
    if (machine.terminalServices) {
        ASSERT_TRUE(StartTerminalServices());
    }
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    ToolFolder folder;
    ASSERT_TRUE(DeployWithPoster(folder));

    // A set recorded where this platform keeps the file.
    const std::string home = DriverIniFolder(machine.driverIni);
    CreateDirectoryA(home.c_str(), nullptr);
    const std::string ini = home + "\\PLOTA2.INI";
    ASSERT_TRUE(WriteFileBytes(ini, DriverSettingsText({{"Plotter 3F", {{"ColorProfileSetName", "Office"}}}})));

    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    EXPECT_EQ(main.Rows(), (std::vector<Lines>{{"Plotter 3F", "Office", "FILE:"}}));
    EXPECT_EQ(main.SelectedSet(), "Office");

    ASSERT_TRUE(main.PickSet("Poster"));
    main.PressSet();
    EXPECT_FALSE(AnswerMessageBox(tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK).empty());
    ExpectApplyDone(tool, main);
    EXPECT_EQ(main.Rows()[0][1], "Poster");
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));

    // Recorded there and nowhere else.
    EXPECT_EQ(IniSection(ini, "Plotter 3F"), (Lines{"ColorProfileSetName=Poster", "Auto=poster.kpx", "Font=poster.kpx",
                                                    "Tone=poster.kpx", "Vividness=poster.kpx"}));
    for (IniHome other : {IniHome::WindowsDirectory, IniHome::SystemDirectory, IniHome::UserProfile}) {
        if (other != machine.driverIni) {
            EXPECT_FALSE(PathExists(DriverIniFolder(other) + "\\PLOTA2.INI")) << DriverIniFolder(other);
        }
    }

    // The profile in the system directory, and in the driver directory
    // except on Windows 98.
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("poster.kpx")), "poster");
    EXPECT_EQ(PathExists(DriverDirectoryFile("poster.kpx")), machine.driverDirectory);
}

INSTANTIATE_TEST_SUITE_P(Machines, MachineBlackbox, ::testing::ValuesIn(kMachines),
                         [](const ::testing::TestParamInfo<Machine>& info) { return info.param.name; });

// With Terminal Services running and no _OMRA folder in the user's profile
// the set cannot be recorded: the tool says so, the row shows what the file
// records (nothing), and Set stays enabled for another try.
TEST(MachineBlackboxWithoutUserFolder, SaysTheSetCouldNotBeRecorded)
{
    ASSERT_TRUE(StartTerminalServices());
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    ToolFolder folder;
    ASSERT_TRUE(DeployWithPoster(folder));
    ASSERT_FALSE(PathExists(UserDriverIniFolder()));

    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    ASSERT_TRUE(main.PickSet("Poster"));
    main.PressSet();
    const std::string caption = Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定");
    EXPECT_FALSE(AnswerMessageBox(tool, caption, IDOK).empty());
    EXPECT_EQ(AnswerMessageBox(tool, caption, IDOK), Cp932(u8"設定を変更できませんでした。"));
    EXPECT_EQ(main.Rows()[0][1], Cp932(u8"MODELA QX 480"));
    EXPECT_TRUE(main.SetButtonEnabled());
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));

    EXPECT_FALSE(PathExists(UserDriverIniFolder()));
    EXPECT_FALSE(PathExists(DriverIniFile()));
    // The files were installed before the record was tried.
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("poster.kpx")), "poster");
}

} // namespace
