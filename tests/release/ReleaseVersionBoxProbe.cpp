// Run by release-test.sh: the installed program (KPX_RELEASE_EXE) opened as a
// user would, its version box's second line names the release's version
// (KPX_RELEASE_VERSION, from the zip's name).
#include "res/resource.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/RemoteMainDialog.h"
#include "support/TextLines.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ReleaseVersionBox, NamesTheReleasesVersion)
{
    const char* exe = std::getenv("KPX_RELEASE_EXE");
    const char* version = std::getenv("KPX_RELEASE_VERSION");
    ASSERT_TRUE(exe && version);
    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, exe);
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog(dlg).PressVersion();
    HWND about = tool.WaitForDialog(AboutCaption(), 20000);
    ASSERT_NE(about, nullptr) << DescribeWindows(tool.VisibleWindows());
    EXPECT_EQ(SplitCrLfLines(DialogItemText(about, IDC_VERSION_TEXT)).at(1), std::string("Version ") + version);
}
