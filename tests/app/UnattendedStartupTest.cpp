// An unattended start in this process meeting another user's copy, which
// Wine cannot produce: it ends with its code, shows nothing and leaves the
// copy's window here as it is.
#include "app/KPXSetupApp.h"
#include "cmdline/UnattendedExitCodes.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/MessageBoxRecorder.h"
#include "support/RunningCopyWindow.h"

#include <gtest/gtest.h>

namespace {

// Only an apply meets the copy: the listing and the check write nothing and
// run beside it (to whatever end the machine's printers give them).
TEST(UnattendedStartupTest, AnotherUsersCopyEndsAnApplyWithCodeTwoSilentlyAndTheReadingRunsGoOn)
{
    const struct {
        const char* commandLine;
        bool meetsTheCopy;
    } cases[] = {
        {"/printer:Plotter /set:Office", true},
        {"/list", false},
        {"/check /printer:Plotter /set:Office", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        CKPXSetupApp app;
        app.InitApplication(GetModuleHandleA(nullptr));
        app.m_strCmdLine = c.commandLine;
        MessageBoxRecorder boxes;
        // The interactive start would bring a window of this title forward.
        HWND window = CreateRunningCopyWindow(LoadResString(IDS_APP_TITLE));
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_MINIMIZE);
        int opens = 0;
        ScopedApiOverride<&Win32Api::OpenMutexA> denied([&](DWORD, BOOL, LPCSTR) {
            ++opens;
            SetLastError(ERROR_ACCESS_DENIED);
            return HANDLE(nullptr);
        });

        EXPECT_EQ(app.Run() == ExitAlreadyRunning, c.meetsTheCopy);
        EXPECT_EQ(opens, c.meetsTheCopy ? 1 : 0);
        EXPECT_TRUE(boxes.boxes().empty());
        EXPECT_TRUE(IsIconic(window));
        DestroyWindow(window);
    }
}

} // namespace
