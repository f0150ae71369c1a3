// /printer:* on 64-bit Windows (a private 64-bit prefix, the 32-bit program
// under WOW64), where printers of one driver share a driver directory and a
// printer whose driver has a 64-bit version uses another one (x64\3): each
// of the set's files goes once into the native system directory and once
// into each distinct driver directory, and /check then finds them all.
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/TextLines.h"
#include "support/ToolFolder.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FleetBlackboxWow64, EachFileGoesOnceIntoEachDistinctDriverDirectory)
{
    ASSERT_TRUE(PathExists(RedirectedSystemFile(""))) << "not a 64-bit prefix";
    ASSERT_TRUE(EnsureTestDriver(kDriver, "Windows x64"));
    TestPrinter a("Plotter 1F", kDriver), b("Plotter 2F", kDriver), c("Plotter 3F", kColorDriver);
    ASSERT_TRUE(a.added() && b.added() && c.added());
    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\fleet.kpx")})));
    ASSERT_FALSE(folder.WriteProfile("fleet.kpx", "fleet").empty());

    std::string text;
    EXPECT_EQ(RunQuietly(folder.exe(), "/printer:* /set:Office", &text), 0u);
    const std::string x64 = DriverDirectoryFile("fleet.kpx", "Windows x64");
    for (const std::string& target : {SystemDirectoryFile("fleet.kpx"), x64, DriverDirectoryFile("fleet.kpx")}) {
        EXPECT_EQ(CountLines(text, FormatResString(IDS_CMD_COPIED, {target})), 1) << target << "\n" << text;
        EXPECT_EQ(ReadFileBytes(OnHost(target)), "fleet") << target;
    }
    EXPECT_FALSE(PathExists(RedirectedSystemFile("fleet.kpx")));
    for (const char* printer : {"Plotter 1F", "Plotter 2F", "Plotter 3F"})
        EXPECT_EQ(IniSection(OnHost(DriverIniFile()), printer).size(), 5u) << printer;

    EXPECT_EQ(RunQuietly(folder.exe(), "/check /printer:* /set:Office", &text), 0u) << text;
    ASSERT_TRUE(WriteFileBytes(OnHost(x64), "x"));
    EXPECT_EQ(RunQuietly(folder.exe(), "/check /printer:* /set:Office", &text), 10u);
    // The two printers of the driver with its 64-bit version.
    // The two printers of the driver with its 64-bit version, in one line.
    EXPECT_EQ(text, FormatResString(IDS_CMD_CHECK_FILE_DIFFERS, {"Plotter 1F, Plotter 2F"}) + x64 + "\r\n");
}

} // namespace
