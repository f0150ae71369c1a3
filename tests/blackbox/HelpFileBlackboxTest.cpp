// The help file the build ships: KPXSETUP.chm beside the built KPXSETUP.EXE,
// named after it, a compiled HTML Help file holding the overview, the two
// settings-file topics, the command line's topic and one topic per control
// of the main dialog.
#include "support/TempDir.h"
#include "support/ToolProcess.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <string>

namespace {

TEST(HelpFile, IsACompiledHelpFileBesideTheExecutable)
{
    std::string path = BuiltHelpFilePath();
    ASSERT_FALSE(path.empty()) << "KPX_EXE is not set";
    std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 4u) << path;
    EXPECT_EQ("ITSF", bytes.substr(0, 4));
}

TEST(HelpFile, HoldsEveryTopic)
{
    // The file's directory is stored uncompressed, so each page's name is
    // found among its bytes.
    std::string bytes = ReadFileBytes(BuiltHelpFilePath());
    const char* topics[] = {
        "/index.htm",     "/setup.htm",    "/toolini.htm",        "/driverini.htm", "/controls.htm",
        "/ctl_list.htm",  "/ctl_name.htm", "/ctl_profileset.htm", "/ctl_set.htm",   "/ctl_version.htm",
        "/ctl_close.htm", "/ctl_help.htm", "/cmdline.htm",        "/toc.hhc",       "/#IVB",
    };
    for (const char* topic : topics)
        EXPECT_NE(std::string::npos, bytes.find(topic)) << topic;
}

// HTML Help of the test prefix, asked for each topic by its context id as a
// help engine would ask for it (the main dialog's controls, then the usage
// box's command-line topic), and for the command-line page by its name as
// the usage box opens it; the help windows are closed again.
TEST(HelpFile, EveryContextIdOfTheMainDialogAndTheCommandLineReachesATopic)
{
    // Kept loaded to the end of the process, as the program keeps it.
    HMODULE control = LoadLibraryA("hhctrl.ocx");
    ASSERT_NE(nullptr, control);
    auto htmlHelp =
        reinterpret_cast<HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR)>(GetProcAddress(control, MAKEINTRESOURCEA(14)));
    ASSERT_NE(nullptr, htmlHelp);
    std::string path = BuiltHelpFilePath();

    for (DWORD id = 20000; id <= 20007; ++id) {
        SCOPED_TRACE(id);
        EXPECT_NE(nullptr, htmlHelp(nullptr, path.c_str(), HH_HELP_CONTEXT, id));
    }
    EXPECT_EQ(nullptr, htmlHelp(nullptr, path.c_str(), HH_HELP_CONTEXT, 20008));
    EXPECT_NE(nullptr, htmlHelp(nullptr, (path + "::/cmdline.htm").c_str(), HH_DISPLAY_TOPIC, 0));
    htmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

} // namespace
