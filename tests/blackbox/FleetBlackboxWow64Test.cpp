// /printer:* on 64-bit Windows (a private 64-bit prefix, the 32-bit program
// under WOW64), where printers of one driver share a driver directory and a
// printer whose driver has a 64-bit version uses another one (x64\3): each
// of the set's files goes once into the native system directory and once
// into each distinct driver directory, and /check then finds them all.
#include "classlib/WinApp.h"
#include "res/resource.h"
#include "support/IniSection.h"
#include "support/RedirectedOutput.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/TextLines.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD kTimeout = 20000;

TEST(FleetBlackboxWow64, EachFileGoesOnceIntoEachDistinctDriverDirectory)
{
    ASSERT_TRUE(PathExists(PrefixPath("drive_c\\windows\\syswow64"))) << "not a 64-bit prefix";
    ASSERT_TRUE(EnsureTestDriver(kDriver, "Windows x64"));
    TestPrinter a("Plotter 1F", kDriver), b("Plotter 2F", kDriver), c("Plotter 3F", kColorDriver);
    ASSERT_TRUE(a.added() && b.added() && c.added());
    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\fleet.kpx")})));
    ASSERT_FALSE(folder.WriteProfile("fleet.kpx", "fleet").empty());

    const auto run = [&](const std::string& arguments, std::string& text) {
        RedirectedOutput output(folder.file("stdout.txt"));
        ToolProcess tool;
        EXPECT_TRUE(tool.Start(folder.exe(), arguments, output.handle()));
        EXPECT_TRUE(tool.WaitForExit(kTimeout));
        text = output.Text();
        return tool.ExitCode();
    };
    std::string text;
    EXPECT_EQ(run("/printer:* /set:Office", text), 0u);
    for (const char* target :
         {"C:\\windows\\system32\\fleet.kpx", "C:\\windows\\system32\\spool\\drivers\\x64\\3\\fleet.kpx",
          "C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\fleet.kpx"})
        EXPECT_EQ(CountLines(text, FormatResString(IDS_CMD_COPIED, {target})), 1) << target << "\n" << text;
    for (const char* dir : {"system32", "system32\\spool\\drivers\\x64\\3", "system32\\spool\\drivers\\w32x86\\3"})
        EXPECT_EQ(ReadFileBytes(PrefixPath(std::string("drive_c\\windows\\") + dir + "\\fleet.kpx")), "fleet") << dir;
    EXPECT_FALSE(PathExists(RedirectedSystemFile("fleet.kpx")));
    for (const char* printer : {"Plotter 1F", "Plotter 2F", "Plotter 3F"})
        EXPECT_EQ(IniSection(NativeSystemFile("PLOTA2.INI"), printer).size(), 5u) << printer;

    EXPECT_EQ(run("/check /printer:* /set:Office", text), 0u) << text;
    ASSERT_TRUE(WriteFileBytes(PrefixPath("drive_c\\windows\\system32\\spool\\drivers\\x64\\3\\fleet.kpx"), "x"));
    EXPECT_EQ(run("/check /printer:* /set:Office", text), 10u);
    // The two printers of the driver with its 64-bit version.
    EXPECT_EQ(text, FormatResString(IDS_CMD_CHECK_FILE_DIFFERS, {"Plotter 1F"}) +
                        "C:\\windows\\system32\\spool\\drivers\\x64\\3\\fleet.kpx\r\n" +
                        FormatResString(IDS_CMD_CHECK_FILE_DIFFERS, {"Plotter 2F"}) +
                        "C:\\windows\\system32\\spool\\drivers\\x64\\3\\fleet.kpx\r\n");
}

} // namespace
