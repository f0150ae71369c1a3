#include "support/QuietRun.h"

#include "support/RedirectedOutput.h"
#include "support/TempDir.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <set>

DWORD RunQuietly(const std::string& exe, const std::string& arguments, std::string* output, DWORD timeoutMs)
{
    TempDir dir("kpxout");
    RedirectedOutput redirected(dir.file("stdout.txt"));
    ToolProcess process;
    if (!process.Start(exe, arguments, output ? redirected.handle() : nullptr)) {
        ADD_FAILURE() << "could not start " << exe;
        return 999;
    }
    // Each window is described when it is first seen: once the program has
    // ended, its windows have no caption or class left to show.
    std::set<HWND> seen;
    std::string shown;
    const bool ended = WaitUntil(
        [&] {
            for (HWND window : process.VisibleWindows()) {
                if (seen.insert(window).second)
                    shown += DescribeWindows({window});
            }
            return !process.Running();
        },
        timeoutMs);
    EXPECT_EQ(shown, "") << "windows shown by " << exe << " " << arguments;
    if (output)
        *output = redirected.Text();
    return ended ? process.ExitCode() : 999;
}
