// The built KPXSETUP.EXE with /csv, as a compliance sweep reads it: each
// command's header and rows (result word, exit code), a set name with a comma
// and quotes read back whole, one row for a run that stops.
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
    ToolFolder folder; // a3's file is missing
    ASSERT_TRUE(folder.deployed() && !folder.WriteProfile("o.kpx", "office").empty());
    ASSERT_TRUE(folder.WriteSettings(ToolSettingsText(
        {"Office", a3}, {SetFiles("Office", "%KPXSETUP%\\o.kpx"), SetFiles(a3, "%KPXSETUP%\\a3.kpx")})));
    const std::string log = "/log:\"" + folder.file("run.log") + "\"", printers = "Printer,Set,Result,ExitCode,Detail";
    // Each run's header, then per row its first and second field, result word and exit code.
    const struct {
        std::string arguments;
        DWORD code;
        std::string rows;
    } kRuns[] = {
        {"/list /csv", 0,
         "Printer,Set,Port,Driver,Result,ExitCode,Detail\nPlotter 2F|" + a3 + "|listed|0\n" + hyo + "||listed|0"},
        {"/sets /csv", 10,
         "Set,Key,File,Result,ExitCode,Detail\nOffice|Auto|ok|0\nOffice|Font|ok|0\nOffice|Tone|ok|0\nOffice|Vividness|"
         "ok|0\n" +
             a3 + "|Auto|missing|10\n" + a3 + "|Font|missing|10\n" + a3 + "|Tone|missing|10\n" + a3 +
             "|Vividness|missing|10"},
        {"/check /printer:* /set:Office /csv", 10,
         printers + "\nPlotter 2F|Office|differs|10\n" + hyo + "|Office|differs|10"},
        {"/printer:* /set:Office /csv " + log, 0, printers + "\nPlotter 2F|Office|done|0\n" + hyo + "|Office|done|0"},
        {"/csv /check /printer:* /set:office", 0,
         printers + "\nPlotter 2F|Office|matches|0\n" + hyo + "|Office|matches|0"},
        {"/printer:* /set:Office /csv", 0,
         printers + "\nPlotter 2F|Office|unchanged|0\n" + hyo + "|Office|unchanged|0"},
        {"/printer:* /remove /csv", 0, printers + "\nPlotter 2F|Office|removed|0\n" + hyo + "|Office|removed|0"},
        {"/printer:* /remove /csv", 0, printers + "\nPlotter 2F||unchanged|0\n" + hyo + "||unchanged|0"},
        {"/printer:\"Plotter 2F\" /set:Nope /csv", 4, printers + "\n||stopped|4"}};
    for (const auto& run : kRuns) {
        SCOPED_TRACE(run.arguments);
        std::string output;
        EXPECT_EQ(RunQuietly(folder.exe(), run.arguments, &output), run.code);
        CsvRows rows;
        ASSERT_TRUE(ReadCsv(output, rows) && !rows.empty()) << Utf8FromCp932(output);
        const auto at = [&](const char* name) {
            return std::find(rows[0].begin(), rows[0].end(), name) - rows[0].begin();
        };
        std::string got = output.substr(0, output.find("\r\n"));
        for (size_t i = 1; i < rows.size(); ++i) {
            EXPECT_EQ(rows[i].size(), rows[0].size());
            got += "\n" + rows[i][0] + "|" + rows[i][1] + "|" + rows[i][at("Result")] + "|" + rows[i][at("ExitCode")];
            // The detail is the log's line about the printer, without its name.
            if (run.arguments.find(log) != std::string::npos) {
                EXPECT_EQ(CountLines(ReadFileBytes(folder.file("run.log")), rows[i][0] + ": " + rows[i][at("Detail")]),
                          1);
            }
        }
        EXPECT_EQ(got, run.rows) << Utf8FromCp932(output);
    }
}

} // namespace
