// The built KPXSETUP.EXE started with switches, as a startup script or a
// software-distribution tool starts it: its exit code, the lines in its
// redirected standard output and log, the files and PLOTA2.INI afterwards,
// and never a window (a message box would also keep it from ending).
#include "classlib/WinApp.h"
#include "platform/PendingRenames.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Lines = std::vector<std::string>;
const char* const kFiles[] = {"auto", "font", "tone", "vivid"}; // in the order they are installed
const Lines kOfficeSection = {"ColorProfileSetName=Office", "Auto=auto.kpx", "Font=font.kpx", "Tone=tone.kpx",
                              "Vividness=vivid.kpx"};
const char kApply[] = "/printer:\"Plotter 3F\" /set:Office";
// The line of a recorded set names the printer and the file it went into.
const std::string kRecorded = u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeを設定しました (" + DriverIniFile() + u8")。";

// Lines as the tool writes them: code page 932, each ended with CR LF.
std::string Out(const std::string& utf8Lines)
{
    std::string text;
    for (char c : Cp932(utf8Lines))
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text + "\r\n";
}

const char kCopied[] = u8"にｺﾋﾟｰしました。";
const char kInPlace[] = u8"は既に同じｶﾗｰﾌﾟﾛﾌｧｲﾙのため、ｺﾋﾟｰしませんでした。";

// One line per target of set Office, in the order of installation: copied,
// or (those named in inPlace) left as they already were.
std::string TargetLines(const std::string& verbUtf8, const std::vector<std::string>& inPlace = {})
{
    std::string text;
    for (const char* name : kFiles) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx")) {
            const bool same = std::find(inPlace.begin(), inPlace.end(), target) != inPlace.end();
            text += Out(target + (same ? kInPlace : verbUtf8));
        }
    }
    return text;
}

// Every target of set Office but those given.
std::vector<std::string> TargetsBut(const std::vector<std::string>& but)
{
    std::vector<std::string> targets;
    for (const char* name : kFiles) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx")) {
            if (std::find(but.begin(), but.end(), target) == but.end())
                targets.push_back(target);
        }
    }
    return targets;
}

class CommandLineBlackbox : public ::testing::Test {
protected:
    // Plotter 3F, and set Office with its four files; set Clash names two
    // different files auto.kpx.
    void SetUp() override
    {
        DeleteAllPrinters();
        m_plotter = std::make_unique<TestPrinter>("Plotter 3F", kDriver);
        ASSERT_TRUE(m_folder.deployed() && m_plotter->added());
        const std::string tone = "%KPXSETUP%\\o\\tone.kpx", font = "%KPXSETUP%\\o\\font.kpx";
        ASSERT_TRUE(m_folder.WriteSettings(
            ToolSettingsText({"Office", "Clash"},
                             {SetFiles("Office", "%KPXSETUP%\\o\\auto.kpx", "%KPXSETUP%\\o\\vivid.kpx", tone, font),
                              SetFiles("Clash", "%KPXSETUP%\\o\\auto.kpx", "%KPXSETUP%\\p\\auto.kpx", tone, font)})));
        for (const char* name : kFiles)
            ASSERT_FALSE(m_folder.WriteProfile(std::string("o\\") + name + ".kpx", std::string("new ") + name).empty());
        ASSERT_FALSE(m_folder.WriteProfile("p\\auto.kpx", "p").empty());
    }

    // Runs the tool with arguments, its standard output redirected into
    // m_output or not given at all. The exit code.
    DWORD Run(const std::string& arguments, bool redirect = true)
    {
        return RunQuietly(m_folder.exe(), arguments, redirect ? &m_output : nullptr);
    }

    void ExpectNothingChanged()
    {
        for (const char* name : kFiles) {
            for (const std::string& target : ProfileCopies(std::string(name) + ".kpx"))
                EXPECT_FALSE(PathExists(target)) << target;
        }
        EXPECT_FALSE(PathExists(DriverIniFile()));
    }

    ToolFolder m_folder;
    std::unique_ptr<TestPrinter> m_plotter;
    std::string m_output;
};

TEST_F(CommandLineBlackbox, ApplyInstallsAndRecordsAsTheDialogDoesThenKeepsWhatExists)
{
    ASSERT_TRUE(WriteFileBytes(SystemDirectoryFile("auto.kpx"), "old auto"));
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}},
                                                                    {"Other", {{"ColorProfileSetName", "Art"}}}})));
    const std::string log = m_folder.file("run.log");

    // Printer and set in other letters, the whole switch quoted.
    EXPECT_EQ(Run("/printer:\"plotter 3f\" /SET:office \"/log:" + log + "\""), 0u);
    for (const char* name : kFiles) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx"))
            EXPECT_EQ(ReadFileBytes(target), std::string("new ") + name);
    }
    // The lines the dialog's apply leaves from the same start.
    Lines expected = kOfficeSection;
    expected.insert(expected.begin(), "Resolution=600");
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), expected);
    EXPECT_EQ(IniSection(DriverIniFile(), "Other"), (Lines{"ColorProfileSetName=Art"}));
    const std::string first = TargetLines(u8"にｺﾋﾟｰしました。") + Out(kRecorded);
    EXPECT_EQ(m_output, first);

    // /overwrite:no over a newer source keeps the targets that differ; those
    // already the set's files are in place. The log holds both runs.
    ASSERT_FALSE(m_folder.WriteProfile("o\\auto.kpx", "newer").empty());
    EXPECT_EQ(Run(std::string(kApply) + " /overwrite:no /log:\"" + log + "\""), 0u);
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("auto.kpx")), "new auto");
    std::vector<std::string> same;
    for (const char* name : {"font", "tone", "vivid"}) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx"))
            same.push_back(target);
    }
    const std::string second = TargetLines(u8"は既に存在するため、上書きしませんでした。", same) + Out(kRecorded);
    EXPECT_EQ(m_output, second);
    // The log holds both runs, each between its opening and closing lines,
    // a blank line between them (RunLogBlackboxFreshTest reads those).
    const std::string logged = ReadFileBytes(log);
    const size_t between = logged.find("\r\n\r\n");
    ASSERT_NE(between, std::string::npos) << logged;
    EXPECT_NE(logged.substr(0, between).find("\r\n" + first), std::string::npos) << logged;
    EXPECT_NE(logged.substr(between).find("\r\n" + second), std::string::npos) << logged;
}

TEST_F(CommandLineBlackbox, EachRefusalBeforeTheApplyHasItsCodeAndChangesNothing)
{
    TestPrinter other("Plotter 2F", kColorDriver);
    TestPrinter laser("Office Laser", kOtherDriver);
    ASSERT_TRUE(other.added() && laser.added());
    const std::string tooLong(257, 'x'); // Windows 7 takes 256 bytes
    const std::string missing = m_folder.file("o\\tone.kpx");
    const struct {
        std::string arguments;
        std::function<void()> prepare;
        DWORD code;
        std::string output; // UTF-8; a line ending in ": " is followed by the system's reason
    } cases[] = {
        {"/printer:\"Office Laser\" /set:Office", {}, 3, u8"ﾌﾟﾘﾝﾀｰOffice Laserが見つかりません。"},
        {"/printer:Plotter /set:Office", {}, 3, u8"ﾌﾟﾘﾝﾀｰPlotterが見つかりません。"},
        {"/printer:\"Plotter 3F\" /set:Poster",
         {},
         4,
         u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄPosterが設定ﾌｧｲﾙにありません。\n設定ﾌｧｲﾙのｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ: \"Office\", \"Clash\""},
        {std::string(kApply) + " /rename:\"\"", {}, 6, u8"Plotter 3F: ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名を指定してください。"},
        {std::string(kApply) + " /rename:\"PLOTTER 2f\"",
         {},
         6,
         u8"Plotter 3F: 指定されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名は既に存在します。別の名前を指定してください。"},
        {std::string(kApply) + " /rename:P\\3F",
         {},
         6,
         u8"Plotter 3F: ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名P\\3Fには使用できない文字が含まれています。"},
        {std::string(kApply) + " /rename:" + tooLong,
         {},
         6,
         u8"Plotter 3F: ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名" + tooLong + u8"が長すぎます。"},
        {"/printer:\"Plotter 3F\" /set:Clash",
         {},
         5,
         u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄの別々のﾌｧｲﾙが同じﾌｧｲﾙ名auto.kpxを持っています。設定を変更できませんでした。"},
        {kApply, [&] { DeleteFileA(missing.c_str()); }, 5,
         u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙ" + missing + u8"がないため、設定を変更できませんでした: "},
        {kApply, [&] { DeleteFileA(m_folder.file("KPXSETUP.INI").c_str()); }, 4,
         u8"KPXSETUP.INIﾌｧｲﾙが見つかりません。"},
        {kApply, [] { DeleteAllPrinters(); }, 3,
         u8"現在、このﾂｰﾙで使用可能なPLOTARAﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰがｲﾝｽﾄｰﾙされていません。"
         u8"KESTRO PLOTARAまたはKESTRO PLOTARA Color Printerをｲﾝｽﾄｰﾙして、お使いください。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        if (c.prepare)
            c.prepare();
        EXPECT_EQ(Run(c.arguments), c.code);
        const std::string expected = Cp932(c.output);
        if (c.output.size() > 2 && c.output.compare(c.output.size() - 2, 2, ": ") == 0)
            EXPECT_EQ(m_output.rfind(expected, 0), 0u) << m_output;
        else
            EXPECT_EQ(m_output, Out(c.output));
    }
    ExpectNothingChanged();
}

// Sources in a folder anyone may write: whoever can put a file there would
// choose what the elevated run installs into the system's folders. The apply
// refuses before it writes, naming the file and why; /sets finds it first.
TEST_F(CommandLineBlackbox, SourceInAFolderOthersMayWriteIsRefusedAndFoundBySets)
{
    const std::string driverIni = DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}}});
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), driverIni));
    const std::string folder = m_folder.file("o"), autoFile = m_folder.file("o\\auto.kpx");
    ASSERT_TRUE(LetEveryoneWrite(folder));
    const std::string why = u8"ﾌｫﾙﾀﾞｰ" + folder + u8"のｱｸｾｽ許可でEveryoneに書き込みが許可されています。";

    EXPECT_EQ(Run(kApply), 5u);
    EXPECT_EQ(m_output,
              Out(u8"Plotter 3F: 次のﾌｧｲﾙは管理者以外が変更できるおそれがあるため、ｲﾝｽﾄｰﾙできません。Auto=" + autoFile +
                  why + u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙは、管理者だけが書き込めるﾌｫﾙﾀﾞｰ (ﾂｰﾙのﾌｫﾙﾀﾞｰの下など) に置いてください。"));
    for (const char* name : kFiles) {
        for (const std::string& target : ProfileCopies(std::string(name) + ".kpx"))
            EXPECT_FALSE(PathExists(target)) << target;
    }
    EXPECT_EQ(ReadFileBytes(DriverIniFile()), driverIni);

    EXPECT_EQ(Run("/sets"), 10u);
    EXPECT_NE(m_output.find(Cp932(u8"Auto=" + autoFile +
                                  u8" (管理者以外が変更できるおそれがあるため、ｲﾝｽﾄｰﾙできません: " + why + ")")),
              std::string::npos)
        << m_output;
}

TEST_F(CommandLineBlackbox, RecordedButIncompleteAndUnrecordedRunsHaveTheirCodes)
{
    // Wine's spooler refuses every rename: recorded under the old name.
    EXPECT_EQ(Run(std::string(kApply) + " /rename:\"Plotter 3F East\""), 9u);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), kOfficeSection);
    EXPECT_NE(
        m_output.find(Cp932(kRecorded + u8"\r\nPlotter 3F: ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名をPlotter 3F Eastに変更できませんでした")),
        std::string::npos)
        << m_output;

    // A folder where a target or the settings file is to be written.
    const std::string blocked = SystemDirectoryFile("font.kpx");
    ASSERT_TRUE(DeleteFileA(blocked.c_str()) && CreateDirectoryA(blocked.c_str(), nullptr));
    EXPECT_EQ(Run(kApply), 8u);
    EXPECT_NE(m_output.find(Cp932(blocked + u8"にｺﾋﾟｰできませんでした: ")), std::string::npos) << m_output;
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), kOfficeSection);
    ASSERT_TRUE(RemoveDirectoryA(blocked.c_str()));

    ASSERT_TRUE(DeleteFileA(DriverIniFile().c_str()) && CreateDirectoryA(DriverIniFile().c_str(), nullptr));
    // The line names the file and the system's reason.
    EXPECT_EQ(Run(kApply), 7u);
    // The blocked target is written now; the others are the set's files
    // already.
    const std::string unrecorded =
        TargetLines(kCopied, TargetsBut({blocked})) +
        Cp932(u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeを" + DriverIniFile() + u8"に記録できませんでした: ");
    EXPECT_EQ(m_output.rfind(unrecorded, 0), 0u) << m_output;
    EXPECT_GT(m_output.size(), unrecorded.size() + 2) << "no reason given";
}

TEST_F(CommandLineBlackbox, ListGoesToTheRedirectedOutputAndTheLogWithoutTheSettingsFile)
{
    TestPrinter beta("beta", kDriver, "LPT1:");
    TestPrinter alpha("Alpha", kColorDriver, "LPT2:", PRINTER_ATTRIBUTE_SHARED);
    TestPrinter laser("Office Laser", kOtherDriver, "LPT1:");
    ASSERT_TRUE(beta.added() && alpha.added() && laser.added());
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"beta", {{"ColorProfileSetName", "Poster"}}},
                                                                    {"Alpha", {{"Auto", "a.kpx"}}}})));
    ASSERT_TRUE(DeleteFileA(m_folder.file("KPXSETUP.INI").c_str()));
    const std::string list = "Alpha\t\tLPT2:\tKESTRO PLOTARA Color Printer\r\n"
                             "beta\tPoster\tLPT1:\tKESTRO PLOTARA\r\n"
                             "Plotter 3F\t\tFILE:\tKESTRO PLOTARA\r\n";
    EXPECT_EQ(Run("/list"), 0u);
    EXPECT_EQ(m_output, list);
    EXPECT_EQ(Run("/List /log:\"" + m_folder.file("list.log") + "\"", false), 0u);
    // In the log after the run's opening line and the file the records were
    // read from, before its closing line.
    const std::string logged = ReadFileBytes(m_folder.file("list.log"));
    const std::string readFrom = Cp932(u8"ﾌﾟﾘﾝﾀｰのｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄを" + DriverIniFile() + u8"から読み取りました。\r\n");
    EXPECT_NE(logged.find("\r\n" + readFrom + list + Cp932(u8"終了ｺｰﾄﾞ 0: ")), std::string::npos) << logged;
}

TEST_F(CommandLineBlackbox, ApplyWhileTheDialogIsOpenEndsWithCodeTwoAndTheReadingRunsGoOn)
{
    ToolProcess dialog;
    ASSERT_TRUE(dialog.Start(m_folder.exe()));
    HWND dlg = dialog.WaitForDialog(LoadResString(IDS_APP_TITLE), kTimeout);
    ASSERT_NE(dlg, nullptr);
    ShowWindow(dlg, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([dlg] { return IsIconic(dlg) != FALSE; }, kTimeout));

    EXPECT_EQ(Run(kApply), 2u);
    EXPECT_EQ(m_output, Out(u8"このﾂｰﾙは既に実行中です。"));
    PumpMessages(300);
    EXPECT_TRUE(IsIconic(dlg)) << "the running copy was brought forward";
    ExpectNothingChanged();
    // The listing and the check write nothing: they run beside the dialog.
    EXPECT_EQ(Run("/list"), 0u);
    EXPECT_EQ(Run(std::string("/check ") + kApply), 10u);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.WaitForExit(kTimeout));
}

TEST_F(CommandLineBlackbox, UsageIsWrittenWhenRedirectedAndShownInABoxThatFitsTheScreenOtherwise)
{
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    // It lists the exit codes 0 to 9, each produced by a test of this file.
    std::string codes;
    for (size_t at = usage.find('\n'); at != std::string::npos; at = usage.find('\n', at + 1)) {
        if (at + 2 < usage.size() && usage[at + 1] >= '0' && usage[at + 1] <= '9' && usage[at + 2] == ' ')
            codes += usage[at + 1];
    }
    EXPECT_EQ(codes, "0123456789");
    // and the restart code, which HeldTargetIsReplacedAtTheRestartOnlyAfterYes produces.
    EXPECT_NE(usage.find("\n3010  "), std::string::npos);

    EXPECT_EQ(Run("/?"), 0u);
    EXPECT_EQ(m_output, Out(Utf8FromCp932(usage)));
    EXPECT_EQ(Run("/printer:P"), 1u);
    EXPECT_EQ(m_output, Out(u8"ｺﾏﾝﾄﾞﾗｲﾝが正しくありません: /printer:P\n" + Utf8FromCp932(usage)));
    // A folder that cannot be made (no such drive).
    EXPECT_EQ(Run("/list /log:Q:\\nowhere\\kpx.log"), 1u);
    EXPECT_EQ(m_output.rfind(Cp932(u8"ﾛｸﾞﾌｧｲﾙQ:\\nowhere\\kpx.logを開けません: "), 0), 0u) << m_output;
    // A log path that would lead the append into another file, or to no file.
    const std::string other = m_folder.file("win.ini"), link = m_folder.file("kpx.log");
    ASSERT_TRUE(WriteFileBytes(other, "[fonts]\r\n") && CreateHardLinkA(link.c_str(), other.c_str(), nullptr));
    const std::pair<std::string, UINT> refused[] = {{link, IDS_CMD_LOG_IS_LINK}, {"NUL", IDS_CMD_LOG_NOT_DISK_FILE}};
    for (const auto& [path, reason] : refused) {
        EXPECT_EQ(Run("/list /log:" + path), 1u);
        EXPECT_EQ(m_output, FormatResString(IDS_CMD_LOG_FAILED, {path}) + ": " + LoadResString(reason) + "\r\n");
    }
    EXPECT_EQ(ReadFileBytes(other), "[fonts]\r\n");

    for (const char* arguments : {"/?", "/force"}) {
        SCOPED_TRACE(arguments);
        const bool bad = arguments[1] == 'f';
        ToolProcess tool;
        ASSERT_TRUE(tool.Start(m_folder.exe(), arguments, nullptr));
        HWND box = tool.WaitForDialog(LoadResString(IDS_APP_TITLE), kTimeout);
        ASSERT_NE(box, nullptr);
        const std::string shown = Out((bad ? u8"ｺﾏﾝﾄﾞﾗｲﾝが正しくありません: /force\n\n" : "") + Utf8FromCp932(usage));
        EXPECT_EQ(ControlText(GetDlgItem(box, IDC_USAGE_TEXT)), shown.substr(0, shown.size() - 2));
        RECT frame = {};
        ASSERT_TRUE(GetWindowRect(box, &frame));
        EXPECT_LE(frame.bottom - frame.top, 768) << "the box must fit a 1024 x 768 screen";
        PressButton(box, IDOK);
        ASSERT_TRUE(tool.WaitForExit(kTimeout));
        EXPECT_EQ(tool.ExitCode(), bad ? 1u : 0u);
    }
}

// The README's startup script as written there, in the tool's folder: cmd
// waits for the tool and ends with its code.
TEST_F(CommandLineBlackbox, ReadmeStartupScriptEndsWithTheToolsCode)
{
    ASSERT_TRUE(WriteFileBytes(m_folder.file("setup.bat"),
                               Out("@echo off\n"
                                   "rem Sets the profile set of Plotter 3F and keeps a log on this machine.\n"
                                   "start \"\" /wait \"%~dp0KPXSETUP.EXE\" /printer:\"Plotter 3F\" /set:\"Office\" "
                                   "/log:\"%TEMP%\\kpxsetup.log\"\n"
                                   "set RESULT=%ERRORLEVEL%\n"
                                   "if \"%RESULT%\"==\"0\" echo KPXSETUP: done\n"
                                   "if \"%RESULT%\"==\"2\" echo KPXSETUP: the tool is in use, try again later\n"
                                   "if not \"%RESULT%\"==\"0\" echo KPXSETUP: ended with code %RESULT%\n"
                                   "exit /b %RESULT%")));
    const auto runScript = [&] {
        return RunQuietly(SystemDirectoryFile("cmd.exe"), "/c \"" + m_folder.file("setup.bat") + "\"");
    };
    EXPECT_EQ(runScript(), 0u);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), kOfficeSection);
    ASSERT_TRUE(DeleteFileA(m_folder.file("KPXSETUP.INI").c_str()));
    EXPECT_EQ(runScript(), 4u);
}

// A restart of the prefix (wineboot -r carries out the pending replacements
// as Windows does at its start); its exit code.
DWORD RestartWindows()
{
    return RunQuietly(SystemDirectoryFile("wineboot.exe"), "-r", nullptr, 60000);
}

// A target that another program holds open without sharing is asked about
// like any other: /overwrite:no keeps it, now and after a restart; the
// default yes has it replaced at the restart and ends with 3010.
TEST_F(CommandLineBlackbox, HeldTargetIsReplacedAtTheRestartOnlyAfterYes)
{
    const std::string target = SystemDirectoryFile("auto.kpx");
    ASSERT_TRUE(WriteFileBytes(target, "old auto"));
    // The file put in place at the restart keeps the replaced one's
    // attributes.
    const DWORD attributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), attributes));
    const auto hold = [&] { return CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); };
    const auto temps = [] {
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA(SystemDirectoryFile("~kpx*.tmp").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return 0;
        int count = 0;
        do
            ++count;
        while (FindNextFileA(search, &data));
        FindClose(search);
        return count;
    };
    // The lines come as the targets are written: the held one, the system
    // directory's auto.kpx, first.
    std::string copiedLines, inPlaceLines;
    for (const char* name : kFiles) {
        for (const std::string& copy : ProfileCopies(std::string(name) + ".kpx")) {
            if (copy != target) {
                copiedLines += Out(copy + kCopied);
                inPlaceLines += Out(copy + kInPlace);
            }
        }
    }
    const std::string recorded = Out(kRecorded);

    HANDLE held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(std::string(kApply) + " /overwrite:no"), 0u);
    EXPECT_EQ(m_output, Out(target + u8"は既に存在するため、上書きしませんでした。") + copiedLines + recorded);
    EXPECT_FALSE(IsNamedIn(PendingRenamePaths(), target));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(target), "old auto");
    ASSERT_EQ(RestartWindows(), 0u);
    EXPECT_EQ(ReadFileBytes(target), "old auto");

    held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(kApply), 3010u);
    EXPECT_EQ(m_output,
              Out(target + u8"は使用中のため、Windowsの再起動時に置き換えられます。") + inPlaceLines + recorded);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), kOfficeSection);
    EXPECT_TRUE(IsNamedIn(PendingRenamePaths(), target));
    EXPECT_EQ(temps(), 1); // the replacement's source
    // Tried again while it is still held: the one replacement waits, with
    // the one temporary file.
    EXPECT_EQ(Run(kApply), 3010u);
    EXPECT_EQ(temps(), 1);
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(target), "old auto");

    ASSERT_EQ(RestartWindows(), 0u);
    EXPECT_EQ(ReadFileBytes(target), "new auto");
    EXPECT_EQ(GetFileAttributesA(target.c_str()) & attributes, attributes);
    EXPECT_EQ(temps(), 0);
    EXPECT_FALSE(IsNamedIn(PendingRenamePaths(), target));

    // Held again, and already the set's file: nothing to replace, no restart.
    held = hold();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run(kApply), 0u);
    EXPECT_EQ(m_output, Out(target + kInPlace) + inPlaceLines + recorded);
    EXPECT_EQ(temps(), 0);
    EXPECT_FALSE(IsNamedIn(PendingRenamePaths(), target));
    CloseHandle(held);
}

// A run that dies of an exception: the apply reads PLOTA2.INI whole, and a
// file of 1.9 GB (sparse: there is nothing to read) is more than a 32-bit
// process can hold. The run ends with 13, not in the run time's abort (3,
// which reads as "no usable printer"); the log's last line says it ended on
// an internal error, out of memory; the files it installed before stay.
TEST_F(CommandLineBlackbox, ARunThatDiesOfAnInternalErrorEndsWithItsCodeAndSaysWhy)
{
    HANDLE ini = CreateFileA(DriverIniFile().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(ini, INVALID_HANDLE_VALUE);
    const LONG size = 1900L * 1024 * 1024;
    EXPECT_EQ(SetFilePointer(ini, size, nullptr, FILE_BEGIN), DWORD(size));
    EXPECT_TRUE(SetEndOfFile(ini));
    CloseHandle(ini);
    const std::string log = m_folder.file("run.log");

    EXPECT_EQ(Run(std::string(kApply) + " /log:\"" + log + "\""), 13u);
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_NOT_ENOUGH_MEMORY, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    ASSERT_NE(text, nullptr);
    std::string outOfMemory = text;
    LocalFree(text);
    outOfMemory.erase(outOfMemory.find_last_not_of("\r\n") + 1);
    const std::string logged = ReadFileBytes(log);
    const size_t last = logged.rfind("\r\n", logged.size() - 3);
    ASSERT_NE(last, std::string::npos) << logged;
    EXPECT_EQ(logged.substr(last + 2, logged.find(Cp932(u8"原因: "), last) - last - 2),
              Cp932(u8"終了ｺｰﾄﾞ 13: 内部ｴﾗｰのため中断しました。それまでに行った変更は残っています。 "))
        << logged;
    EXPECT_NE(logged.find(Cp932(u8"原因: ") + outOfMemory + " (", last), std::string::npos) << logged;
    EXPECT_EQ(logged.substr(logged.size() - 10), "unknown)\r\n") << logged;
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("auto.kpx")), "new auto");
    EXPECT_TRUE(DeleteFileA(DriverIniFile().c_str()));
}

} // namespace
