// The built KPXSETUP.EXE with /csv, as a compliance sweep reads it: each
// command's header, one row per printer (or set file) with its result word
// and exit code, a set name holding a comma and double quotes read back
// whole, and a run that stops giving one row that says so.
#include "support/Cp932.h"
#include "support/CsvReader.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/TextLines.h"
#include "support/ToolFolder.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

TEST(CsvBlackbox, EachCommandGivesItsHeaderAndOneRowPerPrinterOrSetFile)
{
    const std::string a3 = "Office, \"A3\"", hyo = Cp932(u8"表 Plotter");
    TestPrinter two("Plotter 2F", kColorDriver), japanese(hyo, kDriver);
    ASSERT_TRUE(two.added() && japanese.added());
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 2F", {{"ColorProfileSetName", a3}}}})));
    ToolFolder folder;
    ASSERT_TRUE(folder.deployed() && !folder.WriteProfile("o.kpx", "office").empty());
    // The second set's file is missing.
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText(
        {"Office", a3}, {SetFiles("Office", "%KPXSETUP%\\o.kpx"), SetFiles(a3, "%KPXSETUP%\\a3.kpx")})));
    const std::string log = folder.file("run.log"), printers = "Printer,Set,Result,ExitCode,Detail";
    const struct {
        std::string arguments;
        DWORD code;
        const char* header;
        std::vector<std::string> rows; // first column, Set or Key, Result, ExitCode of each row
    } kRuns[] = {
        {"/list /csv", 0, "Printer,Set,Port,Driver,Result,ExitCode,Detail",
         {"Plotter 2F|" + a3 + "|listed|0", hyo + "||listed|0"}},
        {"/sets /csv", 10, "Set,Key,File,Result,ExitCode,Detail",
         {"Office|Auto|ok|0", "Office|Font|ok|0", "Office|Tone|ok|0", "Office|Vividness|ok|0",
          a3 + "|Auto|missing|10", a3 + "|Font|missing|10", a3 + "|Tone|missing|10", a3 + "|Vividness|missing|10"}},
        {"/check /printer:* /set:Office /csv", 10, printers.c_str(),
         {"Plotter 2F|Office|differs|10", hyo + "|Office|differs|10"}},
        {"/printer:* /set:Office /csv /log:\"" + log + "\"", 0, printers.c_str(),
         {"Plotter 2F|Office|done|0", hyo + "|Office|done|0"}},
        {"/csv /check /printer:* /set:office", 0, printers.c_str(),
         {"Plotter 2F|Office|matches|0", hyo + "|Office|matches|0"}},
        {"/printer:\"Plotter 2F\" /set:Nope /csv", 4, printers.c_str(), {"||stopped|4"}},
    };
    for (const auto& run : kRuns) {
        SCOPED_TRACE(run.arguments);
        std::string output;
        EXPECT_EQ(RunQuietly(folder.exe(), run.arguments, &output), run.code);
        CsvRows rows;
        ASSERT_TRUE(ReadCsv(output, rows)) << Utf8FromCp932(output);
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ(output.substr(0, output.find("\r\n")), run.header);
        const auto column = [&](const char* name) {
            return std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin();
        };
        std::vector<std::string> got;
        for (size_t i = 1; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].size(), rows[0].size());
            got.push_back(rows[i][0] + "|" + rows[i][1] + "|" + rows[i][column("Result")] + "|" +
                          rows[i][column("ExitCode")]);
            // The detail is the log's line about the printer, without its name.
            if (run.arguments.find("/log:") != std::string::npos) {
                EXPECT_EQ(CountLines(ReadFileBytes(log), rows[i][0] + ": " + rows[i][column("Detail")]), 1);
            }
        }
        EXPECT_EQ(got, run.rows) << Utf8FromCp932(output);
        if (run.rows.front().find(a3) != std::string::npos) {
            EXPECT_NE(output.find(",\"Office, \"\"A3\"\"\","), std::string::npos);
        }
    }
}

} // namespace
