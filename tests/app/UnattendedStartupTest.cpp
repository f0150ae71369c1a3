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

TEST(UnattendedStartupTest, AnotherUsersCopyEndsTheRunWithCodeTwoSilently)
{
    CKPXSetupApp app;
    app.InitApplication(GetModuleHandleA(nullptr));
    app.m_strCmdLine = "/list";
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

    EXPECT_EQ(app.Run(), ExitAlreadyRunning);
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(IsIconic(window));
    DestroyWindow(window);
}

} // namespace
