// What the black-box tests cannot set: the clock, the computer's and the
// user's names behind the log's opening line; every exit code's meaning in
// the closing line; numbered places; and the usage box closing itself after
// a short time instead of 30 seconds, its size and its help button. And the log file a run leaves: rolled
// over at its limit, and appended to by writers in turn.
#include "cmdline/RunLog.h"

#include "classlib/WinApp.h"
#include "cmdline/LineText.h"
#include "cmdline/RunOutput.h"
#include "cmdline/UnattendedExitCodes.h"
#include "cmdline/UsageBox.h"
#include "kpx_version.h"
#include "platform/HelpFile.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/FakeHtmlHelpControl.h"
#include "support/TempDir.h"
#include "support/ToolProcess.h"

#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

// Each field padded to its width; a name that cannot be had is left empty.
TEST(RunLogTest, OpeningLineHoldsThePaddedLocalTimeTheNamesAndTheCommandLine)
{
    const struct {
        SYSTEMTIME time;
        const char* computer; // null: the call fails
        const char* user;
        const char* expected; // UTF-8
    } cases[] = {
        {{2027, 1, 2, 5, 3, 4, 9, 0},
         "PC01",
         "jdoe",
         u8"2027-01-05 03:04:09 ﾊﾞｰｼﾞｮﾝ: " KPX_VERSION_TEXT
         " ｺﾝﾋﾟｭｰﾀｰ: PC01 ﾕｰｻﾞｰ: jdoe ｺﾏﾝﾄﾞﾗｲﾝ: \"C:\\t\\KPXSETUP.EXE\" /list"},
        {{2026, 12, 4, 31, 23, 59, 58, 999},
         nullptr,
         "SYSTEM",
         u8"2026-12-31 23:59:58 ﾊﾞｰｼﾞｮﾝ: " KPX_VERSION_TEXT
         " ｺﾝﾋﾟｭｰﾀｰ:  ﾕｰｻﾞｰ: SYSTEM ｺﾏﾝﾄﾞﾗｲﾝ: \"C:\\t\\KPXSETUP.EXE\" /list"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        ScopedApiOverride<&Win32Api::GetLocalTime> time([&](LPSYSTEMTIME out) { *out = c.time; });
        const auto name = [](const char* value, LPSTR buffer, LPDWORD size) {
            if (!value)
                return FALSE;
            std::strcpy(buffer, value);
            *size = static_cast<DWORD>(std::strlen(value));
            return TRUE;
        };
        ScopedApiOverride<&Win32Api::GetComputerNameA> computer(
            [&](LPSTR buffer, LPDWORD size) { return name(c.computer, buffer, size); });
        ScopedApiOverride<&Win32Api::GetUserNameA> user(
            [&](LPSTR buffer, LPDWORD size) { return name(c.user, buffer, size); });
        EXPECT_EQ(Utf8FromCp932(RunOpeningLine("\"C:\\t\\KPXSETUP.EXE\" /list")), c.expected);
    }
}

// The closing line gives every code the run can end with its meaning, taken
// from the usage text's table (a code the table lacks would end a run with
// a number alone), the seconds the run took and what it changed.
TEST(RunLogTest, EveryExitCodeHasItsMeaningInTheClosingLine)
{
    for (const int code :
         {ExitDone, ExitBadCommandLine, ExitAlreadyRunning, ExitNoPrinter, ExitNoSettings, ExitSourceMissing,
          ExitNameRefused, ExitNotRecorded, ExitCopyFailed, ExitRenameFailed, ExitCheckFailed, ExitSpoolerFailed,
          ExitPrintersLeftOut, ExitInternalError, ExitRestartRequired}) {
        SCOPED_TRACE(code);
        const std::string meaning = ExitCodeMeaning(code);
        EXPECT_FALSE(meaning.empty());
        EXPECT_EQ(meaning.find('\n'), std::string::npos);
        EXPECT_EQ(RunClosingLine(code, 1234, RunChanged),
                  Cp932(u8"終了ｺｰﾄﾞ ") + std::to_string(code) + ": " + meaning + Cp932(u8" (1.2秒, changed)"));
    }
    const struct {
        unsigned long ms;
        RunChange change;
        const char* tail; // UTF-8
    } tails[] = {{0, RunNothingToChange, u8" (0.0秒, nothing to change)"},
                 {60099, RunChangedNothing, u8" (60.0秒, nothing changed)"},
                 {100, RunChangeUnknown, u8" (0.1秒, unknown)"}};
    for (const auto& t : tails) {
        const std::string line = Utf8FromCp932(RunClosingLine(ExitDone, t.ms, t.change));
        EXPECT_EQ(line.substr(line.size() - std::string(t.tail).size()), t.tail);
    }
    // A code with one meaning per command says the run's own in its closing
    // line; a command without one of its own gets the whole meaning.
    const struct {
        const char* command;
        const char* meaning; // UTF-8
    } meanings[] = {{"/check", u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ通りでないﾌﾟﾘﾝﾀｰがあります (違いごとに1行)。"},
                    {"/sets", u8"設定ﾌｧｲﾙに直すところがあります。"},
                    {"", u8"/check: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄ通りでないﾌﾟﾘﾝﾀｰがあります (違いごとに1行)。"
                         u8"/sets: 設定ﾌｧｲﾙに直すところがあります。"}};
    for (const auto& m : meanings) {
        EXPECT_EQ(Utf8FromCp932(RunClosingLine(ExitCheckFailed, 0, RunChangedNothing, "", m.command)),
                  std::string(u8"終了ｺｰﾄﾞ 10: ") + m.meaning + u8" (0.0秒, nothing changed)");
    }
    // 1 is not taken for 10, nor 10 for 3010.
    EXPECT_NE(ExitCodeMeaning(ExitBadCommandLine), ExitCodeMeaning(ExitCheckFailed));
    EXPECT_NE(ExitCodeMeaning(ExitCheckFailed), ExitCodeMeaning(ExitRestartRequired));
    EXPECT_TRUE(ExitCodeMeaning(14).empty());
    // A run ended by an internal error says what it was after the meaning.
    EXPECT_EQ(RunClosingLine(ExitInternalError, 0, RunChangeUnknown, "why"),
              Cp932(u8"終了ｺｰﾄﾞ 13: ") + ExitCodeMeaning(ExitInternalError) + Cp932(u8" why (0.0秒, unknown)"));
    // A log reader takes a line that starts like the closing line for a run's
    // end; the usage, which a bad command line writes into the log, has none.
    const std::string usage = "\n" + LoadResString(IDS_CMD_USAGE);
    const std::string closing = RunClosingLine(ExitDone, 0, RunChanged);
    EXPECT_EQ(usage.find("\n" + closing.substr(0, closing.find(' '))), std::string::npos);
}

// The usage box fits a 1024 x 768 screen with the whole usage in it, and
// closes itself after the time given, without a click; a press of its help
// button opens the help file's command-line page and keeps the box up until
// its click.
TEST(UsageBoxTest, FitsTheScreenClosesItselfAndWaitsAfterHelp)
{
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    for (const bool help : {false, true}) {
        SCOPED_TRACE(help);
        FakeHtmlHelpControl control;
        CHtmlHelp htmlHelp;
        std::atomic<HWND> box{nullptr};
        std::atomic<bool> done{false};
        std::string shownText;
        RECT frame = {};
        std::thread watcher([&] {
            const DWORD process = GetCurrentProcessId();
            while (!done && !box) {
                box = FindTopLevelWindow([&](HWND w) {
                    return WindowProcessId(w) == process && WindowClassName(w) == "#32770" &&
                           WindowText(w) == LoadResString(IDS_APP_TITLE);
                });
                Sleep(20);
            }
            if (!box)
                return;
            GetWindowRect(box, &frame);
            shownText = ControlText(GetDlgItem(box, IDC_USAGE_TEXT));
            if (help) {
                PressButton(box, ID_HELP);
                Sleep(3000); // past the time given
                PressButton(box, IDOK);
            }
        });
        const DWORD start = GetTickCount();
        const INT_PTR result = ShowUsageBox(usage, 1500, htmlHelp);
        const DWORD elapsed = GetTickCount() - start;
        done = true;
        watcher.join();
        EXPECT_EQ(result, IDOK);
        ASSERT_NE(box.load(), nullptr);
        EXPECT_LE(frame.bottom - frame.top, 768);
        EXPECT_LE(frame.right - frame.left, 1024);
        std::string crLf;
        for (const char c : usage)
            crLf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        EXPECT_EQ(shownText, crLf);
        EXPECT_GE(elapsed, help ? 2900u : 1400u);
        EXPECT_LT(elapsed, 10000u);
        const std::vector<HelpCall> calls = {
            {box, GetHelpFilePath(AppHelpFilePath()) + "::/" + kCommandLineHelpPage, HH_DISPLAY_TOPIC, 0}};
        EXPECT_EQ(control.calls, help ? calls : std::vector<HelpCall>());
    }
}

TEST(RunOutputLog, LogAtItsLimitReplacesItsOlderGenerationAndBeginsAnew)
{
    for (const bool atLimit : {false, true}) {
        TempDir dir;
        const std::string log = dir.file("kpx.log"), older = dir.file("kpx.log.1");
        const std::string earlier(static_cast<size_t>(kLogRollOverSize) - (atLimit ? 0 : 1), 'x');
        ASSERT_TRUE(WriteFileBytes(older, "older") && WriteFileBytes(log, earlier));
        {
            CRunOutput output;
            DWORD error = 0;
            ASSERT_TRUE(output.OpenLog(log, error));
            output.OpenRunInLog("run");
        }
        EXPECT_EQ(ReadFileBytes(log), atLimit ? "run\r\n" : earlier + "\r\nrun\r\n") << atLimit;
        EXPECT_EQ(ReadFileBytes(older), atLimit ? earlier : "older");
    }
}

// As two machines logging into one file on a share. (Wine's append-only
// writes, unlike Windows', are not atomic between writers at the very same
// instant: the lines are written in turn here.)
TEST(RunOutputLog, TwoWritersAppendingInTurnKeepEveryLine)
{
    TempDir dir;
    {
        CRunOutput a, b;
        DWORD error = 0;
        ASSERT_TRUE(a.OpenLog(dir.file("kpx.log"), error) && b.OpenLog(dir.file("kpx.log"), error));
        for (CRunOutput* writer : {&a, &b, &a})
            writer->LogLine(writer == &a ? "a" : "b");
    }
    EXPECT_EQ(ReadFileBytes(dir.file("kpx.log")), "a\r\nb\r\na\r\n");
}

} // namespace
