// The apply run from the command line, in this process: what the black-box
// tests cannot produce, a rename the spooler accepts (Wine's refuses every
// one) and failures that come together.
#include "cmdline/UnattendedApply.h"

#include "classlib/WinApp.h"
#include "printers/PrinterSnapshot.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/AcceptedRenames.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/SettingsText.h"
#include "support/SpoolerFakes.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The run with its log in the tool's folder, against a fresh snapshot.
UnattendedExitCode RunWithLog(const TempDir& tool, const CommandOptions& options)
{
    // The log stays open for writing while the output lives.
    CRunOutput output;
    DWORD error = 0;
    EXPECT_TRUE(output.OpenLog(tool.file("run.log"), error));
    CPrinterSnapshot printers;
    printers.Take();
    RunChange change = RunChangedNothing;
    return RunUnattendedApply(CKPXSetupINI(tool.file("KPXSETUP.INI"), tool.path()), printers, options, output, change);
}

// The black-box tests see each code; these are the combinations they cannot
// make: a copy and the rename failing together, a section left behind.
// A file replaced at the restart gives 3010 only when nothing failed: the
// failure's code wins, 7, then 8, then 9.
TEST(UnattendedApplyTest, ExitCodeWhenSeveralStepsFail)
{
    ApplyOutcome outcome;
    outcome.stop = ApplyCompleted;
    outcome.copies.atRestart.push_back("C:\\windows\\system32\\u.kpx");
    EXPECT_EQ(ApplyExitCode(outcome), ExitRestartRequired);
    EXPECT_EQ(static_cast<int>(ExitRestartRequired), 3010);
    outcome.rename = RenameDone;
    outcome.sectionLeftBehind = true;
    EXPECT_EQ(ApplyExitCode(outcome), ExitRenameFailed);
    outcome.copies.failed.resize(1);
    outcome.rename = RenameRefused;
    EXPECT_EQ(ApplyExitCode(outcome), ExitCopyFailed);
    outcome.stop = ApplyNotRecorded;
    EXPECT_EQ(ApplyExitCode(outcome), ExitNotRecorded);
}

// Several printers: the code of a run that stopped before it wrote is its
// stop's; otherwise the most serious of the printers' codes, 7, then 8,
// then 9, then 3010, and 0 only when every printer's apply completed.
TEST(UnattendedApplyTest, ExitCodeOfSeveralPrintersIsTheMostSerious)
{
    const auto printer = [](ApplyStop stop, bool copyFailed, bool renameRefused, bool atRestart) {
        PrinterApplied p;
        p.outcome.stop = stop;
        if (copyFailed)
            p.outcome.copies.failed.resize(1);
        if (renameRefused)
            p.outcome.rename = RenameRefused;
        if (atRestart)
            p.outcome.copies.atRestart.push_back("C:\\windows\\system32\\u.kpx");
        return p;
    };
    const PrinterApplied done = printer(ApplyCompleted, false, false, false);
    const PrinterApplied restart = printer(ApplyCompleted, false, false, true);
    const PrinterApplied renameFailed = printer(ApplyCompleted, false, true, true);
    const PrinterApplied copyFailed = printer(ApplyCompleted, true, false, false);
    const PrinterApplied notRecorded = printer(ApplyNotRecorded, false, false, false);
    const struct {
        std::vector<PrinterApplied> printers;
        UnattendedExitCode code;
    } cases[] = {
        {{done, done}, ExitDone},
        {{restart, done}, ExitRestartRequired},
        {{done, renameFailed, restart}, ExitRenameFailed},
        {{copyFailed, renameFailed}, ExitCopyFailed},
        {{renameFailed, copyFailed}, ExitCopyFailed},
        {{restart, notRecorded, copyFailed}, ExitNotRecorded},
    };
    for (const auto& c : cases) {
        ApplyResult outcome;
        outcome.stop = ApplyCompleted;
        outcome.printers = c.printers;
        EXPECT_EQ(ApplyExitCode(outcome), c.code);
    }
    ApplyResult stopped;
    stopped.stop = ApplyUnrecordable;
    stopped.printers = {printer(ApplyUnrecordable, false, false, false)};
    EXPECT_EQ(ApplyExitCode(stopped), ExitNoPrinter);
    stopped.stop = stopped.printers[0].outcome.stop = ApplyFileNameClash;
    EXPECT_EQ(ApplyExitCode(stopped), ExitSourceMissing);
}

// A printer of a supported driver that cannot be opened for administration:
// no row of the list, but named; under /printer:* left out with code 12.
TEST(UnattendedApplyTest, APrinterThatCannotBeOpenedIsNamedAndEveryPrinterRunSaysItLeftOneOut)
{
    DeleteAllPrinters();
    TestPrinter one("Plotter 1F", kDriver), two("Plotter 2F", kDriver);
    ASSERT_TRUE(one.added() && two.added());
    TempDir tool("unusable");
    ASSERT_TRUE(WriteFileBytes(tool.file("KPXSETUP.INI"),
                               ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\u.kpx")})));
    ASSERT_TRUE(WriteFileBytes(tool.file("u.kpx"), "u"));
    SpoolerFakes spooler;
    spooler.RefuseOpen("Plotter 2F");
    CommandOptions request;
    request.mode = CommandApply;
    request.allPrinters = true;
    request.setName = "Office";
    EXPECT_EQ(RunWithLog(tool, request), ExitPrintersLeftOut);
    EXPECT_NE(ReadFileBytes(tool.file("run.log")).find(FormatResString(IDS_CMD_PRINTER_UNUSABLE, {"Plotter 2F"})),
              std::string::npos);
    EXPECT_EQ(IniSection(CDriverINI().GetIniPath(), "Plotter 1F").size(), 5u);
    DeleteFileA(CDriverINI().GetIniPath().c_str());
    DeleteFileA(SystemDirectoryFile("u.kpx").c_str());
    DeleteFileA(SystemDirectoryFile("spool\\drivers\\w32x86\\3\\u.kpx").c_str());
}

TEST(UnattendedApplyTest, AcceptedRenameMovesTheSectionAndSaysSo)
{
    DeleteAllPrinters();
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    const std::string driverIni = CDriverINI().GetIniPath();
    DeleteFileA(driverIni.c_str());
    TempDir tool("unattended");
    ASSERT_TRUE(WriteFileBytes(tool.file("KPXSETUP.INI"),
                               ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\u.kpx")})));
    ASSERT_TRUE(WriteFileBytes(tool.file("u.kpx"), "u"));

    AcceptedRenames spooler;
    CommandOptions request;
    request.mode = CommandApply;
    request.printers = {"Plotter 3F"};
    request.setName = "Office";
    request.rename = true;
    request.newName = "Plotter 3F East";

    EXPECT_EQ(RunWithLog(tool, request), ExitDone);
    EXPECT_EQ(spooler.names(), std::vector<std::string>{"Plotter 3F East"});
    EXPECT_EQ(IniSection(driverIni, "Plotter 3F East"),
              (std::vector<std::string>{"ColorProfileSetName=Office", "Auto=u.kpx", "Font=u.kpx", "Tone=u.kpx",
                                        "Vividness=u.kpx"}));
    EXPECT_TRUE(IniSection(driverIni, "Plotter 3F").empty());
    const std::string log = ReadFileBytes(tool.file("run.log"));
    // Each line names the printer; those about the record name the file.
    const std::string tail = Cp932(u8"Plotter 3F: ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄOfficeを設定しました (" + driverIni +
                                   u8")。\r\n"
                                   u8"Plotter 3F: ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名をPlotter 3F Eastに変更しました。\r\n"
                                   u8"Plotter 3F: 設定をPlotter 3F Eastに移動しました (" +
                                   driverIni + u8")。\r\n");
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);

    DeleteFileA(driverIni.c_str());
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    DeleteFileA((std::string(system) + "\\u.kpx").c_str());
    DeleteFileA((std::string(system) + "\\spool\\drivers\\w32x86\\3\\u.kpx").c_str());
}

} // namespace
