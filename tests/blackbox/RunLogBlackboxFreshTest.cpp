// The built KPXSETUP.EXE as a fleet runs it: what its log says after many
// runs (when, where, by whom, with what, how each ended), the lines that name
// the printer and the file, /sets before a rollout, and a bad command line
// that never waits long for a click.
#include "classlib/WinApp.h"
#include "kpx_version.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/TextLines.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WineMachine.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Lines = std::vector<std::string>;
const char kApply[] = "/printer:\"Plotter 3F\" /set:Office";

// The lines of a text written by the tool (code page 932, CR LF), in UTF-8.
Lines Utf8Lines(const std::string& text)
{
    Lines lines = SplitCrLfLines(text);
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    for (std::string& line : lines)
        line = Utf8FromCp932(line);
    return lines;
}

// A log's runs, each as its lines; a blank line sets them apart.
std::vector<Lines> LogRuns(const std::string& log)
{
    std::vector<Lines> runs(1);
    for (const std::string& line : Utf8Lines(log)) {
        if (line.empty())
            runs.emplace_back();
        else
            runs.back().push_back(line);
    }
    return runs;
}

// The steps of a run: its lines without the opening and closing ones.
Lines Steps(const Lines& run)
{
    return run.size() < 2 ? Lines() : Lines(run.begin() + 1, run.end() - 1);
}

// The local time to the second: year, month, day, hour, minute, second.
std::vector<int> LocalTimeNow()
{
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

std::string UserName()
{
    char name[512] = {};
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

// The usage text's lines as the log has them (without blank lines), in UTF-8.
Lines UsageLines()
{
    Lines lines(1);
    for (const char c : LoadResString(IDS_CMD_USAGE)) {
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    }
    Lines written;
    for (const std::string& line : lines) {
        if (!line.empty())
            written.push_back(Utf8FromCp932(line));
    }
    return written;
}

class RunLogBlackbox : public ::testing::Test {
protected:
    // Plotter 3F; set Office with its four files, set Photo with an auto.kpx
    // of its own and Office's font.kpx.
    void SetUp() override
    {
        DeleteAllPrinters();
        m_plotter = std::make_unique<TestPrinter>("Plotter 3F", kDriver);
        ASSERT_TRUE(m_folder.deployed() && m_plotter->added());
        ASSERT_TRUE(m_folder.WriteSettings(ToolSettingsText(
            {"Office", "Photo"}, {SetFiles("Office", "%KPXSETUP%\\o\\auto.kpx", "%KPXSETUP%\\o\\vivid.kpx",
                                           "%KPXSETUP%\\o\\tone.kpx", "%KPXSETUP%\\o\\font.kpx"),
                                  SetFiles("Photo", "%KPXSETUP%\\p\\auto.kpx", "%KPXSETUP%\\p\\gone.kpx",
                                           "%KPXSETUP%\\p\\tone.txt", "%KPXSETUP%\\o\\font.kpx")})));
        for (const char* name : {"auto", "vivid", "tone", "font"})
            ASSERT_FALSE(m_folder.WriteProfile(std::string("o\\") + name + ".kpx", name).empty());
        ASSERT_FALSE(m_folder.WriteProfile("p\\auto.kpx", "photo auto").empty());
        ASSERT_FALSE(m_folder.WriteProfile("p\\tone.txt", "photo tone").empty());
    }

    // Runs the tool with arguments, its standard output's lines in m_output
    // or no standard output at all. The exit code.
    DWORD Run(const std::string& arguments, bool redirect = true)
    {
        std::string output;
        const DWORD code = RunQuietly(m_folder.exe(), arguments, redirect ? &output : nullptr);
        m_output = Utf8Lines(output);
        return code;
    }

    std::string OpeningLineAfterTime(const std::string& arguments) const
    {
        return u8" ﾊﾞｰｼﾞｮﾝ: " KPX_VERSION_TEXT " ｺﾝﾋﾟｭｰﾀｰ: " + ComputerName() + u8" ﾕｰｻﾞｰ: " + UserName() +
               u8" ｺﾏﾝﾄﾞﾗｲﾝ: \"" + m_folder.exe() + "\" " + arguments;
    }

    ToolFolder m_folder;
    std::unique_ptr<TestPrinter> m_plotter;
    Lines m_output;
};

// Two runs into one log: each opens with the time, the computer, the user
// and the whole command line, and ends with its code and what it means; a
// blank line sets them apart. The redirected output has the steps alone.
// The apply's lines name the printer and the file the record went into, and
// the printer that records another set but prints with the replaced
// auto.kpx from now on; the bad command line ends at once, without a box,
// its usage in the log.
TEST_F(RunLogBlackbox, EachRunOpensWithWhenWhereWhoAndWhatAndEndsWithItsCode)
{
    TestPrinter photo("Plotter 2F", kDriver);
    ASSERT_TRUE(photo.added());
    // Plotter 2F's font.kpx is Office's very file: it prints as before.
    ASSERT_TRUE(WriteFileBytes(
        DriverIniFile(),
        DriverSettingsText(
            {{"Plotter 2F", {{"ColorProfileSetName", "Photo"}, {"Auto", "auto.kpx"}, {"Font", "font.kpx"}}}})));
    const std::string log = m_folder.file("run.log");
    const std::string apply = std::string(kApply) + " \"/log:" + log + "\"";
    const std::string bad = "/force /log:\"" + log + "\"";

    const std::vector<int> before = LocalTimeNow();
    EXPECT_EQ(Run(apply), 0u);
    Lines steps;
    for (const char* name : {"auto", "font", "tone", "vivid"}) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx"))
            steps.push_back(target + u8"にｺﾋﾟｰしました。");
    }
    steps.push_back(u8"auto.kpxを置き換えました。次のﾌﾟﾘﾝﾀｰは別のｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄを記録していますが、"
                    u8"今後はｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeのこのﾌｧｲﾙで印刷します: Plotter 2F");
    steps.push_back(u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeを設定しました (" + DriverIniFile() + u8")。");
    EXPECT_EQ(m_output, steps);

    const DWORD start = GetTickCount();
    EXPECT_EQ(Run(bad, false), 1u);
    EXPECT_LT(GetTickCount() - start, 10000u);
    const std::vector<int> after = LocalTimeNow();

    const std::vector<Lines> runs = LogRuns(ReadFileBytes(log));
    ASSERT_EQ(runs.size(), 2u) << ReadFileBytes(log);
    // "2024-05-01 09:03:07": the local time when the run began.
    const std::regex time("(\\d{4})-(\\d\\d)-(\\d\\d) (\\d\\d):(\\d\\d):(\\d\\d) .*");
    const std::string arguments[2] = {apply, bad};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        ASSERT_GE(runs[i].size(), 3u);
        const std::string& opening = runs[i].front();
        std::smatch at;
        ASSERT_TRUE(std::regex_match(opening, at, time)) << opening;
        std::vector<int> began;
        for (size_t field = 1; field < at.size(); ++field)
            began.push_back(std::stoi(at[field]));
        EXPECT_GE(began, before);
        EXPECT_LE(began, after);
        EXPECT_EQ(opening.substr(19), OpeningLineAfterTime(arguments[i]));
    }
    EXPECT_EQ(Steps(runs[0]), steps);
    // The last lines end with the seconds taken and what changed.
    const std::regex closing(u8"(.*) \\([0-9]+\\.[0-9]秒, (.*)\\)");
    std::smatch ending;
    ASSERT_TRUE(std::regex_match(runs[0].back(), ending, closing)) << runs[0].back();
    EXPECT_EQ(ending[1].str() + "|" + ending[2].str(), u8"終了ｺｰﾄﾞ 0: すべて完了しました。|changed");
    const Lines badSteps = Steps(runs[1]);
    ASSERT_FALSE(badSteps.empty());
    EXPECT_EQ(badSteps.front(), u8"ｺﾏﾝﾄﾞﾗｲﾝが正しくありません: /force");
    EXPECT_EQ(Lines(badSteps.begin() + 1, badSteps.end()), UsageLines());
    ASSERT_TRUE(std::regex_match(runs[1].back(), ending, closing)) << runs[1].back();
    EXPECT_EQ(ending[1].str() + "|" + ending[2].str(),
              u8"終了ｺｰﾄﾞ 1: ｺﾏﾝﾄﾞﾗｲﾝが正しくないか、ﾛｸﾞﾌｧｲﾙを開けません。|nothing changed");
}

// A run as the system account under Terminal Services: the driver reads the
// user's own PLOTA2.INI, whose folder nobody made. The line says which file
// (the user's, under Terminal Services) and why it could not be written.
TEST_F(RunLogBlackbox, ARunThatCannotRecordNamesThePerUserFileAndTheReason)
{
    ASSERT_TRUE(StartTerminalServices());
    const std::string perUser = UserDriverIniFolder() + "\\PLOTA2.INI";
    ASSERT_FALSE(PathExists(perUser));

    EXPECT_EQ(Run(kApply), 7u);
    ASSERT_FALSE(m_output.empty());
    const std::string head = u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeを" + perUser + u8" (ﾀｰﾐﾅﾙ ｻｰﾋﾞｽ実行中のため、ﾕｰｻﾞｰ" +
                             UserName() + u8"ごとの設定ﾌｧｲﾙ)に記録できませんでした: ";
    const std::string& last = m_output.back();
    EXPECT_EQ(last.rfind(head, 0), 0u) << last;
    EXPECT_GT(last.size(), head.size()) << "no reason given";
    EXPECT_FALSE(PathExists(perUser));
}

// /sets before a rollout: a line per set with its four files as the apply
// resolves them and what the apply would say of each, and a line for the
// file name two sets install from different sources (10); without the
// clash and the bad files, 0. It needs no printer and writes nothing.
TEST_F(RunLogBlackbox, SetsTellsEachSetsFilesAndEveryFileNameTwoSetsShare)
{
    DeleteAllPrinters();
    const std::string o = m_folder.path() + "\\o\\", p = m_folder.path() + "\\p\\";
    EXPECT_EQ(Run("/sets"), 10u);
    ASSERT_EQ(m_output.size(), 3u);
    EXPECT_EQ(m_output[0], u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOffice: Auto=" + o + u8"auto.kpx (ｲﾝｽﾄｰﾙできます), Font=" + o +
                               u8"font.kpx (ｲﾝｽﾄｰﾙできます), Tone=" + o + u8"tone.kpx (ｲﾝｽﾄｰﾙできます), Vividness=" +
                               o + u8"vivid.kpx (ｲﾝｽﾄｰﾙできます)");
    const std::string photo = u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄPhoto: Auto=" + p + u8"auto.kpx (ｲﾝｽﾄｰﾙできます), Font=" + o +
                              u8"font.kpx (ｲﾝｽﾄｰﾙできます), Tone=" + p +
                              u8"tone.txt (ｶﾗｰﾌﾟﾛﾌｧｲﾙとしてｲﾝｽﾄｰﾙできません), Vividness=" + p +
                              u8"gone.kpx (ありません: ";
    EXPECT_EQ(m_output[1].rfind(photo, 0), 0u) << m_output[1];
    EXPECT_GT(m_output[1].size(), photo.size() + 1) << "no reason given";
    EXPECT_EQ(m_output[1].back(), ')');
    EXPECT_EQ(m_output[2], u8"ﾌｧｲﾙ名auto.kpxを複数のｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄが別々のﾌｧｲﾙからｲﾝｽﾄｰﾙします (Office=" + o +
                               u8"auto.kpx, Photo=" + p +
                               u8"auto.kpx)。一方を設定すると、他方を記録したﾌﾟﾘﾝﾀｰもそのﾌｧｲﾙで印刷します。");

    // Photo with files of its own names.
    ASSERT_FALSE(m_folder.WriteProfile("p\\pauto.kpx", "photo auto").empty());
    ASSERT_TRUE(m_folder.WriteSettings(
        ToolSettingsText({"Office", "Photo"}, {SetFiles("Office", "%KPXSETUP%\\o\\auto.kpx", "%KPXSETUP%\\o\\vivid.kpx",
                                                        "%KPXSETUP%\\o\\tone.kpx", "%KPXSETUP%\\o\\font.kpx"),
                                               SetFiles("Photo", "%KPXSETUP%\\p\\pauto.kpx")})));
    EXPECT_EQ(Run("/sets"), 0u);
    EXPECT_EQ(m_output.size(), 2u);
    EXPECT_FALSE(PathExists(DriverIniFile()));
    EXPECT_FALSE(PathExists(SystemDirectoryFile("auto.kpx")));
}

// The guide's first command on a machine that never had the log's folder:
// the folders are made and the run logged there.
TEST_F(RunLogBlackbox, MakesTheFoldersOfTheLogPath)
{
    const std::string log = m_folder.file("Logs\\KPXSetup\\kpxsetup.log");
    EXPECT_EQ(Run(std::string(kApply) + " /log:\"" + log + "\""), 0u);
    const std::vector<Lines> runs = LogRuns(ReadFileBytes(log));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].size(), 2u + m_output.size());
}

// A KPXSETUP.INI saved as UTF-8 without a byte order mark (Notepad's
// default): a Japanese set name reads as written and applies; a character
// code page 932 cannot hold is /sets' finding and refuses its set.
TEST_F(RunLogBlackbox, SettingsFileInUtf8ReadsAsWritten)
{
    const std::string photo = u8"写真 表示用", o = m_folder.path() + "\\o\\";
    auto files = [](const std::string& set, const std::string& autoFile) {
        return SetFiles(set, autoFile, "%KPXSETUP%\\o\\vivid.kpx", "%KPXSETUP%\\o\\tone.kpx",
                        "%KPXSETUP%\\o\\font.kpx");
    };
    ASSERT_TRUE(m_folder.WriteSettings(
        ToolSettingsText({"Office", photo, "Poster"},
                         {files("Office", "%KPXSETUP%\\o\\auto.kpx"), files(photo, "%KPXSETUP%\\o\\auto.kpx"),
                          files("Poster", u8"%KPXSETUP%\\o\\é.kpx")})));
    EXPECT_EQ(Run("/sets"), 10u);
    ASSERT_EQ(m_output.size(), 4u);
    EXPECT_EQ(m_output[1], u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ" + photo + ": Auto=" + o + u8"auto.kpx (ｲﾝｽﾄｰﾙできます), Font=" + o +
                               u8"font.kpx (ｲﾝｽﾄｰﾙできます), Tone=" + o + u8"tone.kpx (ｲﾝｽﾄｰﾙできます), Vividness=" +
                               o + u8"vivid.kpx (ｲﾝｽﾄｰﾙできます)");
    const std::string lost = u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄPosterは設定できません: 設定ﾌｧｲﾙ (UTF-8) の17行目の文字U+00E9を"
                             u8"ｼｽﾃﾑのｺｰﾄﾞ ﾍﾟｰｼﾞで表せません。";
    EXPECT_EQ(m_output[3], lost);

    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Poster"), 5u);
    EXPECT_EQ(m_output, Lines{lost});
    EXPECT_FALSE(PathExists(DriverIniFile()));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:\"" + Cp932(photo) + "\""), 0u);
    ASSERT_FALSE(m_output.empty());
    EXPECT_EQ(m_output.back(),
              u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ" + photo + u8"を設定しました (" + DriverIniFile() + u8")。");
}

// A machine without a supported printer has an empty list: 0 and no line,
// in the log only the run's opening and closing lines.
TEST_F(RunLogBlackbox, ListWithoutASupportedPrinterIsEmpty)
{
    DeleteAllPrinters();
    TestPrinter laser("Office Laser", kOtherDriver);
    ASSERT_TRUE(laser.added());
    const std::string log = m_folder.file("list.log");
    EXPECT_EQ(Run("/list /log:\"" + log + "\""), 0u);
    EXPECT_TRUE(m_output.empty());
    const std::vector<Lines> runs = LogRuns(ReadFileBytes(log));
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].size(), 2u);
}

// Without /log and without a redirected output, a bad command line's usage
// box closes itself after 30 seconds and the run ends with 1; the usage
// asked for with /?, shown meanwhile, waits for its click.
TEST_F(RunLogBlackbox, BadCommandLinesUsageBoxClosesItselfAfterThirtySeconds)
{
    const std::string caption = LoadResString(IDS_APP_TITLE);
    ToolProcess asked, bad;
    ASSERT_TRUE(asked.Start(m_folder.exe(), "/?", nullptr));
    HWND askedBox = asked.WaitForDialog(caption, kTimeout);
    ASSERT_NE(askedBox, nullptr);
    ASSERT_TRUE(bad.Start(m_folder.exe(), "/force", nullptr));
    HWND badBox = bad.WaitForDialog(caption, kTimeout);
    ASSERT_NE(badBox, nullptr);
    const DWORD shown = GetTickCount();

    ASSERT_TRUE(bad.WaitForExit(45000)) << "the box is still waiting";
    const DWORD open = GetTickCount() - shown;
    EXPECT_GE(open, 28000u);
    EXPECT_EQ(bad.ExitCode(), 1u);

    EXPECT_TRUE(asked.Running());
    EXPECT_TRUE(IsWindowVisible(askedBox));
    PressButton(askedBox, IDOK);
    ASSERT_TRUE(asked.WaitForExit(kTimeout));
    EXPECT_EQ(asked.ExitCode(), 0u);
}

} // namespace
