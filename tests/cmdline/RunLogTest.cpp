// What the black-box tests cannot set: the clock, the computer's and the
// user's names behind the log's opening line; every exit code's meaning in
// the closing line; and the usage box closing itself after a short time
// instead of 30 seconds.
#include "cmdline/RunLog.h"
#include "cmdline/UnattendedExitCodes.h"
#include "cmdline/UsageBox.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

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
         u8"2027-01-05 03:04:09 ｺﾝﾋﾟｭｰﾀｰ: PC01 ﾕｰｻﾞｰ: jdoe ｺﾏﾝﾄﾞﾗｲﾝ: \"C:\\t\\KPXSETUP.EXE\" /list"},
        {{2026, 12, 4, 31, 23, 59, 58, 999},
         nullptr,
         "SYSTEM",
         u8"2026-12-31 23:59:58 ｺﾝﾋﾟｭｰﾀｰ:  ﾕｰｻﾞｰ: SYSTEM ｺﾏﾝﾄﾞﾗｲﾝ: \"C:\\t\\KPXSETUP.EXE\" /list"},
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
// from the usage text's table; a code the table lacks would end a run with
// a number alone.
TEST(RunLogTest, EveryExitCodeHasItsMeaningInTheClosingLine)
{
    for (const int code :
         {ExitDone, ExitBadCommandLine, ExitAlreadyRunning, ExitNoPrinter, ExitNoSettings, ExitSourceMissing,
          ExitNameRefused, ExitNotRecorded, ExitCopyFailed, ExitRenameFailed, ExitCheckFailed, ExitRestartRequired}) {
        SCOPED_TRACE(code);
        const std::string meaning = ExitCodeMeaning(code);
        EXPECT_FALSE(meaning.empty());
        EXPECT_EQ(meaning.find('\n'), std::string::npos);
        EXPECT_EQ(RunClosingLine(code), Cp932(u8"終了ｺｰﾄﾞ ") + std::to_string(code) + ": " + meaning);
    }
    // 1 is not taken for 10, nor 10 for 3010.
    EXPECT_NE(ExitCodeMeaning(ExitBadCommandLine), ExitCodeMeaning(ExitCheckFailed));
    EXPECT_NE(ExitCodeMeaning(ExitCheckFailed), ExitCodeMeaning(ExitRestartRequired));
    EXPECT_TRUE(ExitCodeMeaning(11).empty());
}

// The box closes itself after the time given, without a click; the test
// sees it up first.
TEST(UsageBoxTest, ClosesItselfAfterTheTimeGiven)
{
    std::atomic<bool> seen{false}, done{false};
    const DWORD process = GetCurrentProcessId();
    std::thread watcher([&] {
        while (!done) {
            if (FindTopLevelWindow([&](HWND w) {
                    return WindowProcessId(w) == process && WindowClassName(w) == "#32770" &&
                           MessageBoxText(w).find("usage") != std::string::npos;
                }))
                seen = true;
            Sleep(20);
        }
    });
    const DWORD start = GetTickCount();
    const int result = SelfClosingMessageBox("usage", MB_OK | MB_ICONERROR, 1500);
    const DWORD elapsed = GetTickCount() - start;
    done = true;
    watcher.join();
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(seen);
    EXPECT_GE(elapsed, 1400u);
    EXPECT_LT(elapsed, 10000u);
}

} // namespace
