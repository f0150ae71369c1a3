// The help file the build ships: KPXSETUP.chm beside the built KPXSETUP.EXE,
// named after it, a compiled HTML Help file holding the overview, the two
// settings-file topics, the command line's topic and one topic per control
// of the main dialog.
#include "support/TempDir.h"
#include "support/ToolProcess.h"

#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// The inner files of a compiled help file and their lengths, as its
// directory lists them: an ITSF header, then the directory's ITSP header and
// its PMGL chunks of entries (name, section, offset, length; each number an
// "encoded integer" of seven bits a byte, the last byte without the high bit).
std::map<std::string, unsigned long long> InnerFiles(const std::string& chm)
{
    std::map<std::string, unsigned long long> files;
    const auto number = [&](size_t at, size_t bytes) {
        unsigned long long value = 0;
        for (size_t i = bytes; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(at + i < chm.size() ? chm[at + i] : 0);
        return value;
    };
    const size_t directory = number(0x48, 8), header = number(directory + 8, 4), chunk = number(directory + 0x10, 4);
    const size_t chunks = number(directory + 0x2C, 4);
    for (size_t n = 0; n < chunks && chunk > 20; ++n) {
        const size_t start = directory + header + n * chunk;
        if (chm.compare(start, 4, "PMGL") != 0)
            continue;
        size_t at = start + 20;
        const auto encoded = [&] {
            unsigned long long value = 0;
            while (at < chm.size() && (chm[at] & 0x80))
                value = value << 7 | (chm[at++] & 0x7F);
            return at < chm.size() ? value << 7 | chm[at++] : value;
        };
        while (at < start + chunk - number(start + 4, 4)) {
            const size_t length = encoded();
            const std::string name = chm.substr(at, length);
            at += length;
            encoded(); // section
            encoded(); // offset
            files[name] = encoded();
        }
    }
    return files;
}

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

// The index and full-text search are compiled in: the index's sitemap and
// the search's word index, each with content.
TEST(HelpFile, HasAnIndexAndFullTextSearch)
{
    const std::map<std::string, unsigned long long> files = InnerFiles(ReadFileBytes(BuiltHelpFilePath()));
    ASSERT_GT(files.count("/cmdline.htm"), 0u) << "the directory was not read";
    for (const char* part : {"/index.hhk", "/$FIftiMain"}) {
        ASSERT_GT(files.count(part), 0u) << part;
        EXPECT_GT(files.at(part), 100u) << part;
    }
}

} // namespace
