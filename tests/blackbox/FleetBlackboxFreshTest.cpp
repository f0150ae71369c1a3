// The built KPXSETUP.EXE for several printers in one run, for every printer
// (/printer:*), checking a machine (/check) and run again after a rename: its
// exit codes, its lines, the files and PLOTA2.INI afterwards.
#include "classlib/WinApp.h"
#include "cmdline/LineText.h"
#include "cmdline/RunLog.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/TextLines.h"
#include "support/ToolFolder.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
const char* const kFiles[] = {"auto", "font", "tone", "vivid"};

// The section set Office (or Photo, whose file names begin with "p")
// leaves, after the lines already there.
Lines Record(const std::string& set, Lines before = {})
{
    const std::string p = set == "Office" ? "" : "p";
    before.push_back("ColorProfileSetName=" + set);
    for (const auto& entry : {std::pair<const char*, const char*>{"Auto", "auto"},
                              {"Font", "font"},
                              {"Tone", "tone"},
                              {"Vividness", "vivid"}})
        before.push_back(std::string(entry.first) + "=" + p + entry.second + ".kpx");
    return before;
}


// A message as one output line: its line breaks go.
std::string OneLineText(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}

class FleetBlackbox : public ::testing::Test {
protected:
    // Three printers the tool lists and one it does not; sets Office and
    // Photo with four files each, of names of their own.
    void SetUp() override
    {
        DeleteAllPrinters();
        for (const auto& p : {std::pair<const char*, const char*>{"Plotter 3F", kDriver},
                              {"Plotter 2F", kColorDriver},
                              {"Plotter 1F", kDriver},
                              {"Office Laser", kOtherDriver}}) {
            m_printers.push_back(std::make_unique<TestPrinter>(p.first, p.second));
            ASSERT_TRUE(m_printers.back()->added()) << p.first;
        }
        ASSERT_TRUE(m_folder.deployed());
        std::vector<IniSectionRows> sets;
        for (const std::string set : {"Office", "Photo"}) {
            const std::string dir = "%KPXSETUP%\\" + set + "\\" + (set == "Office" ? "" : "p");
            sets.push_back(SetFiles(set, dir + "auto.kpx", dir + "vivid.kpx", dir + "tone.kpx", dir + "font.kpx"));
            for (const char* name : kFiles) {
                const std::string file = (set == "Office" ? "" : "p") + std::string(name) + ".kpx";
                ASSERT_FALSE(m_folder.WriteProfile(set + "\\" + file, set + " " + name).empty());
            }
        }
        ASSERT_TRUE(m_folder.WriteSettings(ToolSettingsText({"Office", "Photo"}, sets)));
    }

    // Runs the tool with its output redirected into m_output. The exit code.
    DWORD Run(const std::string& arguments) { return RunQuietly(m_folder.exe(), arguments, &m_output); }

    // The bytes of every file an apply writes, to tell that a run changed nothing.
    std::string Machine() const
    {
        std::string all = ReadFileBytes(DriverIniFile()) + "|";
        for (const char* name : kFiles) {
            for (const std::string prefix : {"", "p"}) {
                for (const std::string& target : ProfileCopies(prefix + name + ".kpx"))
                    all += ReadFileBytes(target) + "|";
            }
        }
        return all;
    }

    std::vector<std::unique_ptr<TestPrinter>> m_printers;
    ToolFolder m_folder;
    std::string m_output;
};

TEST_F(FleetBlackbox, EveryPrinterAndSeveralNamedOnesAreRecordedInOneRunWithEachFileInstalledOnce)
{
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}},
                                                                    {"Other", {{"ColorProfileSetName", "Art"}}}})));
    // A name that cannot have a section of its own is left out, with a line,
    // and the run says it left a printer out.
    TestPrinter edge("Plotter 4F ", kDriver);
    ASSERT_TRUE(edge.added());
    EXPECT_EQ(Run("/printer:* /set:Office"), 12u) << Utf8FromCp932(m_output);
    EXPECT_EQ(CountLines(m_output, PrinterLine("Plotter 4F ",
                                               OneLineText(FormatResString(IDS_PRINTER_UNRECORDABLE, {"Plotter 4F "})) +
                                                   LoadResString(IDS_CMD_PRINTER_SKIPPED))),
              1)
        << Utf8FromCp932(m_output);
    EXPECT_TRUE(IniSection(DriverIniFile(), "Plotter 4F").empty());
    for (const char* name : kFiles) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx")) {
            EXPECT_EQ(ReadFileBytes(target), std::string("Office ") + name);
            // The three printers share both folders: one copy each.
            EXPECT_EQ(CountLines(m_output, FormatResString(IDS_CMD_COPIED, {target})), 1) << target;
        }
    }
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), Record("Office", {"Resolution=600"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 2F"), Record("Office"));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 1F"), Record("Office"));
    EXPECT_EQ(IniSection(DriverIniFile(), "Other"), (Lines{"ColorProfileSetName=Art"}));
    EXPECT_TRUE(IniSection(DriverIniFile(), "Office Laser").empty());

    // Two named ones (one twice, in other letters): the third keeps its set.
    EXPECT_EQ(Run("/printer:\"plotter 2f\" /printer:\"Plotter 3F\" /printer:\"Plotter 2F\" /set:photo"), 0u)
        << Utf8FromCp932(m_output);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), Record("Photo", {"Resolution=600"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 2F"), Record("Photo"));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 1F"), Record("Office"));
    EXPECT_EQ(CountLines(m_output, FormatResString(IDS_CMD_COPIED, {DriverDirectoryFile("pauto.kpx")})), 1);
}

TEST_F(FleetBlackbox, ANamedPrinterThatIsRefusedStopsTheRunBeforeAnythingChanges)
{
    TestPrinter edge("Plotter 4F ", kDriver);
    ASSERT_TRUE(edge.added());
    const std::string before = Machine();
    const struct {
        const char* arguments;
        DWORD code;
        std::string output;
    } cases[] = {
        {"/printer:\"Plotter 3F\" /printer:\"Office Laser\" /set:Office", 3,
         FormatResString(IDS_CMD_PRINTER_NOT_FOUND, {"Office Laser"})},
        {"/printer:\"Plotter 3F\" /printer:\"Plotter 4F \" /set:Office", 3,
         PrinterLine("Plotter 4F ", OneLineText(FormatResString(IDS_PRINTER_UNRECORDABLE, {"Plotter 4F "})))},
        {"/printer:\"Plotter 3F\" /printer:\"Plotter 2F\" /set:Poster", 4,
         FormatResString(IDS_CMD_SET_NOT_FOUND, {"Poster"}) + "\r\n" +
             FormatResString(IDS_CMD_SETS_OFFERED, {"\"Office\", \"Photo\""})},
        {"/printer:\"Plotter 3F\" /printer:\"Plotter 2F\" /set:Office /rename:East", 1,
         FormatResString(IDS_CMD_BAD_ARGUMENT, {"/rename:East"})},
        {"/printer:* /set:Office /rename:East", 1, FormatResString(IDS_CMD_BAD_ARGUMENT, {"/rename:East"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        EXPECT_EQ(Run(c.arguments), c.code);
        EXPECT_EQ(m_output.rfind(c.output + "\r\n", 0), 0u) << Utf8FromCp932(m_output);
    }
    EXPECT_EQ(Machine(), before);
}

TEST_F(FleetBlackbox, CheckPassesWhereTheApplyWasAndNamesEachDifferenceWithoutChangingAnything)
{
    const std::string check = "/check /printer:* /set:Office";
    // Nothing set yet: no record for any printer, every file missing.
    EXPECT_EQ(Run(check), 10u);
    EXPECT_EQ(CountLines(m_output, FormatResString(IDS_CMD_CHECK_NO_RECORD, {"Plotter 1F"})), 1);
    // The driver directory the three printers share: one line names them all.
    const std::string missing = DriverDirectoryFile("tone.kpx");
    std::vector<std::string> aboutMissing;
    for (const std::string& line : SplitCrLfLines(m_output)) {
        if (line.size() > missing.size() && line.compare(line.size() - missing.size(), missing.size(), missing) == 0)
            aboutMissing.push_back(line);
    }
    ASSERT_EQ(aboutMissing.size(), 1u) << m_output;
    for (const char* printer : {"Plotter 1F", "Plotter 2F", "Plotter 3F"})
        EXPECT_NE(aboutMissing.front().find(printer), std::string::npos) << aboutMissing.front();

    ASSERT_EQ(Run("/printer:* /set:Office"), 0u);
    EXPECT_EQ(Run(check), 0u);
    EXPECT_EQ(m_output, FormatResString(IDS_CMD_CHECK_PASSED, {"Office"}) + "\r\n");
    EXPECT_EQ(Run("/printer:\"Plotter 2F\" /set:Photo /check"), 10u);

    // A file replaced by another of its name, one gone, one printer set to
    // Photo whose files share no name with Office's: one line each.
    ASSERT_TRUE(WriteFileBytes(DriverDirectoryFile("vivid.kpx"), "Office vivid, changed"));
    ASSERT_TRUE(DeleteFileA(SystemDirectoryFile("tone.kpx").c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Plotter 2F", "ColorProfileSetName", "Photo", DriverIniFile().c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("Plotter 1F", "Font", "other.kpx", DriverIniFile().c_str()));
    const std::string before = Machine();
    EXPECT_EQ(Run("/printer:\"Plotter 2F\" /printer:\"Plotter 1F\" /set:Office /check"), 10u);
    // The files both printers use are told once, for both.
    const std::string both = "Plotter 2F, Plotter 1F";
    EXPECT_EQ(m_output, FormatResString(IDS_CMD_CHECK_OTHER_SET, {"Plotter 2F"}) + "Photo\r\n" +
                            FormatResString(IDS_CMD_CHECK_FILE_MISSING, {both}) + SystemDirectoryFile("tone.kpx") +
                            "\r\n" + FormatResString(IDS_CMD_CHECK_FILE_DIFFERS, {both}) +
                            DriverDirectoryFile("vivid.kpx") + "\r\n" +
                            FormatResString(IDS_CMD_CHECK_FILE_NAME, {"Plotter 1F"}) + "Font=other.kpx (font.kpx)\r\n");
    EXPECT_EQ(Machine(), before);
}

TEST_F(FleetBlackbox, ARenameRunAgainGoesToTheNewNameAndTakesTheSectionAlong)
{
    // The first run renamed the printer (Wine's spooler refuses renames: the
    // state after it is planted), but its section stayed under the old name.
    m_printers.push_back(std::make_unique<TestPrinter>("Plotter 3F East", kDriver));
    ASSERT_TRUE(m_printers.back()->added());
    m_printers.erase(m_printers.begin()); // Plotter 3F
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}}})));

    const std::string again = "/printer:\"Plotter 3F\" /set:Office /rename:\"Plotter 3F East\"";
    EXPECT_EQ(Run(again), 0u) << Utf8FromCp932(m_output);
    EXPECT_EQ(m_output.rfind(PrinterLine("Plotter 3F East", FormatResString(IDS_CMD_ALREADY_RENAMED, {"Plotter 3F"}) +
                                                                "Plotter 3F East\r\n"),
                             0),
              0u)
        << Utf8FromCp932(m_output);
    EXPECT_EQ(
        CountLines(m_output, PrinterLine("Plotter 3F East",
                                         FormatResString(IDS_CMD_SECTION_MOVED, {"Plotter 3F East", DriverIniText()}))),
        1);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F East"), Record("Office", {"Resolution=600"}));
    EXPECT_TRUE(IniSection(DriverIniFile(), "Plotter 3F").empty());
    EXPECT_EQ(ReadFileBytes(DriverDirectoryFile("auto.kpx")), "Office auto");

    // Once more: nothing left to move, the same record.
    EXPECT_EQ(Run(again), 0u);
    EXPECT_EQ(
        CountLines(m_output, PrinterLine("Plotter 3F East",
                                         FormatResString(IDS_CMD_SECTION_MOVED, {"Plotter 3F East", DriverIniText()}))),
        0);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F East"), Record("Office", {"Resolution=600"}));

    // A section under each name: the new one is the printer's, the old one stays.
    ASSERT_TRUE(WritePrivateProfileStringA("Plotter 3F", "Resolution", "1200", DriverIniFile().c_str()));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Photo /rename:\"Plotter 3F East\""), 0u);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F East"), Record("Photo", {"Resolution=600"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), (Lines{"Resolution=1200"}));

    // Neither name a printer: not found, as before.
    EXPECT_EQ(Run("/printer:\"Plotter 9F\" /set:Office /rename:\"Plotter 9F East\""), 3u);
    EXPECT_EQ(m_output, FormatResString(IDS_CMD_PRINTER_NOT_FOUND, {"Plotter 9F"}) + "\r\n");
}

// The usage names the switches of this file and the check's code, and a
// switch that the usage does not allow together is refused with it.
// A printer that can never hold a record ends every /printer:* run with 12,
// its line naming /skip; /skip leaves it out of the apply, the check and
// the removal, which then end with 0.
TEST_F(FleetBlackbox, SkipLeavesAPrinterOutOfEveryPrinter)
{
    TestPrinter edge("Plotter 4F ", kDriver);
    ASSERT_TRUE(edge.added());
    EXPECT_EQ(Run("/printer:* /set:Office"), 12u);
    EXPECT_NE(m_output.find("/skip:"), std::string::npos) << Utf8FromCp932(m_output);
    for (const char* command : {"/printer:* /set:Office", "/check /printer:* /set:Office", "/remove /printer:*"}) {
        EXPECT_EQ(Run(std::string(command) + " /skip:\"plotter 4f \" /skip:Absent"), 0u) << command << "\n"
                                                                                         << Utf8FromCp932(m_output);
        EXPECT_EQ(m_output.find("Plotter 4F"), std::string::npos) << command;
    }
    EXPECT_TRUE(IniSection(DriverIniFile(), "Plotter 3F").empty());
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /skip:Absent /set:Office"), 1u);
}

TEST_F(FleetBlackbox, UsageNamesSeveralPrintersEveryPrinterAndTheCheck)
{
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    for (const char* text : {"/printer:* [/skip:", "[/printer:", "/check /printer:", "\n10  /check"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
    EXPECT_EQ(Run("/check /printer:* /set:Office /overwrite:no"), 1u);
    std::string lines;
    for (const char c : usage)
        lines += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_NE(m_output.find(lines), std::string::npos) << Utf8FromCp932(m_output);
}

} // namespace
