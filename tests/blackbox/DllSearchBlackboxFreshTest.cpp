// The built KPXSETUP.EXE run from a folder that someone else could write to:
// DLLs planted there under the names of the non-KnownDLLs the tool imports
// or loads (the spooler, the folder and profile helpers, the HTML Help
// control, the common controls) must never run inside it. Wine is told to
// look in the program's folder first for these names, as Windows does for
// DLLs that are not KnownDLLs: scripts/wine-run.sh sets WINEDLLOVERRIDES so
// for this test's executable, and every program it starts inherits it (Wine
// reads it from the Unix environment a process starts with). A control run
// shows that a load by bare name then does take the planted file, so the test
// can fail.
#include "support/QuietRun.h"
#include "support/RemoteMainDialog.h"
#include "support/SettingsText.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WineMachine.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
const char* const kPlanted[] = {"winspool.drv", "shfolder.dll", "userenv.dll", "hhctrl.ocx", "comctl32.dll"};
const char kOverrides[] = "winspool.drv,shfolder,userenv,hhctrl.ocx,comctl32=n,b";
const char kBareLoad[] = "kpx_bare_load.exe";

// planted/ beside this test executable: the planted DLLs and the control
// program (tests/CMakeLists.txt).
std::string PlantedFile(const std::string& name)
{
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string dir(exe);
    return dir.substr(0, dir.find_last_of('\\')) + "\\planted\\" + name;
}

// "name: process" for every planted DLL that some process has loaded.
std::vector<std::string> PlantedThatRan(const ToolFolder& folder)
{
    std::vector<std::string> ran;
    for (const char* name : kPlanted) {
        const std::string marker = folder.file(std::string(name) + ".ran");
        if (PathExists(marker))
            ran.push_back(std::string(name) + ": " + ReadFileBytes(marker));
    }
    return ran;
}

TEST(DllSearchBlackbox, NoDllPlantedBesideTheProgramRunsInIt)
{
    // With Terminal Services the settings file lives in the user's profile,
    // which the tool asks userenv.dll for.
    ASSERT_TRUE(StartTerminalServices());
    CreateDirectoryA(UserDriverIniFolder().c_str(), nullptr);
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\office.kpx")})));
    ASSERT_FALSE(folder.WriteProfile("office.kpx", "office").empty());
    for (const char* name : kPlanted)
        ASSERT_TRUE(CopyFileA(PlantedFile(name).c_str(), folder.file(name).c_str(), FALSE)) << PlantedFile(name);
    char overrides[1024] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    ASSERT_NE(std::string(overrides).find(kOverrides), std::string::npos) << overrides;

    // The command line's list and apply.
    EXPECT_EQ(0u, RunQuietly(folder.exe(), "/list"));
    EXPECT_EQ(0u, RunQuietly(folder.exe(), "/printer:\"Plotter 3F\" /set:Office"));
    EXPECT_EQ("office", ReadFileBytes(SystemDirectoryFile("office.kpx")));

    // The dialog, with its help.
    {
        ToolProcess tool;
        HWND dlg = StartMainDialog(tool, folder.exe());
        ASSERT_NE(dlg, nullptr);
        RemoteMainDialog main(dlg);
        EXPECT_EQ(main.Printers(), std::vector<std::string>{"Plotter 3F"});
        main.PressHelp();
        EXPECT_NE(tool.WaitForWindow("HH Parent", kTimeout), nullptr) << DescribeWindows(tool.VisibleWindows());
        main.PressClose();
        EXPECT_TRUE(tool.WaitForExit(kTimeout));
    }

    EXPECT_EQ(PlantedThatRan(folder), std::vector<std::string>{});

    // The control: under the same search a bare-name load from that folder
    // takes each planted DLL.
    ASSERT_TRUE(CopyFileA(PlantedFile(kBareLoad).c_str(), folder.file(kBareLoad).c_str(), FALSE));
    for (const char* name : kPlanted) {
        EXPECT_EQ(0u, RunQuietly(folder.file(kBareLoad), name)) << name;
        EXPECT_TRUE(PathExists(folder.file(std::string(name) + ".ran"))) << name;
    }
    EXPECT_EQ(std::size(kPlanted), PlantedThatRan(folder).size());
}

} // namespace
