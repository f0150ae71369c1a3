// Run by release-test.sh in the release's Wine prefix: starts the installed
// program named by KPX_RELEASE_EXE (a Windows path), opens its version box
// with the button, as a user would, and expects its second line to name the
// version in KPX_RELEASE_VERSION, the one in the release's name.
#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/RemoteMainDialog.h"
#include "support/TextLines.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

TEST(ReleaseVersionBox, NamesTheReleasesVersion)
{
    const std::string exe = Environment("KPX_RELEASE_EXE");
    const std::string version = Environment("KPX_RELEASE_VERSION");
    ASSERT_FALSE(exe.empty() || version.empty()) << "KPX_RELEASE_EXE and KPX_RELEASE_VERSION are not set";
    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, exe);
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    main.PressVersion();
    HWND about = tool.WaitForDialog(AboutCaption(), 20000);
    ASSERT_NE(about, nullptr) << DescribeWindows(tool.VisibleWindows());
    const std::vector<std::string> lines = SplitCrLfLines(DialogItemText(about, IDC_VERSION_TEXT));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "Version " + version);
    PressButton(about, IDOK);
    EXPECT_TRUE(WaitForWindowToClose(about, 20000));
    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(20000));
}

} // namespace
