// The command line's parsing rules as a table: what each line asks for.
#include "cmdline/CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* line;
    CommandMode mode;
    const char* printer; // each /printer's value, "|" between them; "*" for every printer
    const char* setName;
    const char* newName; // null: no /rename
    bool overwrite;
    const char* logPath;
    const char* badArgument;
};

const Case kCases[] = {
    // No arguments: the dialog.
    {"", CommandInteractive, "", "", nullptr, true, "", ""},
    {"  \t ", CommandInteractive, "", "", nullptr, true, "", ""},
    // The apply, quotes around the value or the whole switch, any letter case.
    {"/printer:\"Plotter 3F\" /set:Office", CommandApply, "Plotter 3F", "Office", nullptr, true, "", ""},
    {"\"/PRINTER:Plotter 3F\" /Set:\"Office\"", CommandApply, "Plotter 3F", "Office", nullptr, true, "", ""},
    {"/set:\"\x8E\xCA\x90\x5E Photo\" /printer:P\t/rename:\"P East\" /overwrite:NO /log:\"C:\\a b\\k.log\"",
     CommandApply, "P", "\x8E\xCA\x90\x5E Photo", "P East", false, "C:\\a b\\k.log", ""},
    {"/printer:P /set:S /overwrite:yes /rename:", CommandApply, "P", "S", "", true, "", ""},
    {"/printer:P /set:S /rename:\"\"", CommandApply, "P", "S", "", true, "", ""},
    // A value may hold a colon; a path may end in a backslash.
    {"/printer:P /set:S /log:C:\\logs\\", CommandApply, "P", "S", nullptr, true, "C:\\logs\\", ""},
    // The list and the usage.
    {"/LIST", CommandList, "", "", nullptr, true, "", ""},
    {"/list /log:out.txt", CommandList, "", "", nullptr, true, "out.txt", ""},
    {"/Sets /log:s.log", CommandSets, "", "", nullptr, true, "s.log", ""},
    {"/?", CommandUsage, "", "", nullptr, true, "", ""},
    {"/printer:P /?", CommandUsage, "P", "", nullptr, true, "", ""},
    {"/nonsense /?", CommandUsage, "", "", nullptr, true, "", "/nonsense"},
    // Bad: unknown switch, no switch, missing or empty value, a value where
    // none goes, a switch twice, a bad overwrite answer; the first bad
    // argument is named and a /log anywhere is kept.
    {"/printer:P /set:S /force", CommandBad, "P", "S", nullptr, true, "", "/force"},
    {"Plotter /list", CommandBad, "", "", nullptr, true, "", "Plotter"},
    {"/ /list", CommandBad, "", "", nullptr, true, "", "/"},
    {"/printer /set:S", CommandBad, "", "S", nullptr, true, "", "/printer"},
    {"/printer:\"\" /set:S", CommandBad, "", "S", nullptr, true, "", "/printer:"},
    {"/printer:P /set:S /rename", CommandBad, "P", "S", nullptr, true, "", "/rename"},
    {"/list:yes", CommandBad, "", "", nullptr, true, "", "/list:yes"},
    {"/list /list", CommandBad, "", "", nullptr, true, "", "/list"},
    // Several printers, or every printer; a new name only for one; /check
    // compares, so nothing to rename or overwrite.
    {"/printer:P /printer:\"Q R\" /set:S", CommandApply, "P|Q R", "S", nullptr, true, "", ""},
    {"/printer:* /set:S /overwrite:no", CommandApply, "*", "S", nullptr, false, "", ""},
    {"/printer:P /printer:Q /set:S /rename:N", CommandBad, "P|Q", "S", "N", true, "", "/rename:N"},
    {"/rename:N /printer:* /set:S", CommandBad, "*", "S", "N", true, "", "/rename:N"},
    {"/printer:* /printer:P /set:S", CommandBad, "*", "S", nullptr, true, "", "/printer:P"},
    {"/printer:P /printer:* /set:S", CommandBad, "P", "S", nullptr, true, "", "/printer:*"},
    {"/printer:* /printer:* /set:S", CommandBad, "*", "S", nullptr, true, "", "/printer:*"},
    {"/CHECK /printer:* /set:S", CommandCheck, "*", "S", nullptr, true, "", ""},
    {"/printer:P /printer:Q /set:S /check /log:c.log", CommandCheck, "P|Q", "S", nullptr, true, "c.log", ""},
    {"/printer:P /set:S /check /rename:N", CommandBad, "P", "S", "N", true, "", ""},
    {"/printer:P /set:S /check /overwrite:yes", CommandBad, "P", "S", nullptr, true, "", ""},
    {"/check /list", CommandBad, "", "", nullptr, true, "", ""},
    {"/check", CommandBad, "", "", nullptr, true, "", ""},
    {"/printer:P /set:S /check /check", CommandBad, "P", "S", nullptr, true, "", "/check"},
    {"/printer:P /set:S /check:yes", CommandBad, "P", "S", nullptr, true, "", "/check:yes"},
    // /remove takes printers only.
    {"/printer:* /REMOVE /log:r.log", CommandRemove, "*", "", nullptr, true, "r.log", ""},
    {"/remove /printer:P /printer:Q", CommandRemove, "P|Q", "", nullptr, true, "", ""},
    {"/remove", CommandBad, "", "", nullptr, true, "", ""},
    {"/printer:P /set:S /remove", CommandBad, "P", "S", nullptr, true, "", ""},
    {"/printer:P /remove /check", CommandBad, "P", "", nullptr, true, "", ""},
    {"/printer:P /remove /rename:N", CommandBad, "P", "", "N", true, "", ""},
    {"/sets /remove", CommandBad, "", "", nullptr, true, "", ""},
    {"/printer:P /set:S /overwrite:maybe /log:x.log", CommandBad, "P", "S", nullptr, true, "x.log", "/overwrite:maybe"},
    {"/printer:P /set:S /overwrite", CommandBad, "P", "S", nullptr, true, "", "/overwrite"},
    {"/log:", CommandBad, "", "", nullptr, true, "", "/log:"},
    // Bad as a whole: half an apply, the list mixed with the apply, /log alone.
    {"/printer:P", CommandBad, "P", "", nullptr, true, "", ""},
    {"/set:S /rename:N", CommandBad, "", "S", "N", true, "", ""},
    {"/overwrite:no", CommandBad, "", "", nullptr, false, "", ""},
    {"/list /printer:P /set:S", CommandBad, "P", "S", nullptr, true, "", ""},
    {"/log:x.log", CommandBad, "", "", nullptr, true, "x.log", ""},
    // /sets is a mode of its own, without a value.
    {"/sets /list", CommandBad, "", "", nullptr, true, "", ""},
    {"/sets /printer:P /set:S", CommandBad, "P", "S", nullptr, true, "", ""},
    {"/sets:all", CommandBad, "", "", nullptr, true, "", "/sets:all"},
    {"/sets /sets", CommandBad, "", "", nullptr, true, "", "/sets"},
    // /csv goes with any command; with /? or alone the line is bad.
    {"/list /csv", CommandList, "", "", nullptr, true, "", ""},
    {"/CSV /sets", CommandSets, "", "", nullptr, true, "", ""},
    {"/printer:* /set:S /csv", CommandApply, "*", "S", nullptr, true, "", ""},
    {"/csv /check /printer:P /set:S", CommandCheck, "P", "S", nullptr, true, "", ""},
    {"/csv", CommandBad, "", "", nullptr, true, "", ""},
    {"/csv /?", CommandBad, "", "", nullptr, true, "", ""},
    {"/csv /log:x.log", CommandBad, "", "", nullptr, true, "x.log", ""},
    {"/list /csv /csv", CommandBad, "", "", nullptr, true, "", "/csv"},
};

TEST(CommandLineTest, ParsesEachLineAsTheTableSays)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.line);
        const CommandOptions o = ParseCommandLine(c.line);
        EXPECT_EQ(o.mode, c.mode);
        std::string printers = o.allPrinters ? "*" : "";
        for (const std::string& printer : o.printers)
            printers += (printers.empty() ? "" : "|") + printer;
        EXPECT_EQ(printers, c.printer);
        EXPECT_EQ(o.setName, c.setName);
        EXPECT_EQ(o.rename, c.newName != nullptr);
        EXPECT_EQ(o.newName, c.newName ? c.newName : "");
        EXPECT_EQ(o.overwrite, c.overwrite);
        EXPECT_EQ(o.logPath, c.logPath);
        EXPECT_EQ(o.badArgument, c.badArgument);
        EXPECT_EQ(o.csv, std::string(c.line).find("csv") != std::string::npos ||
                             std::string(c.line).find("CSV") != std::string::npos);
    }
}

} // namespace
