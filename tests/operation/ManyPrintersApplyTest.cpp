// The apply for several printers as an operation: every printer is checked
// before anything is written, a printer the spooler will not open stops the
// run when it was named and is skipped when every printer was asked for, and
// a record that cannot be written fails for every printer at once.
#include "operation/ProfileSetApply.h"
#include "operation/ProfileSetCheck.h"
#include "printers/PrinterSnapshot.h"
#include "settings/DriverINI.h"
#include "support/ApplyRecorder.h"
#include "support/IniSection.h"
#include "support/SettingsText.h"
#include "support/SpoolerFakes.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

TEST(FleetApply, APrinterThatCannotBeOpenedStopsANamedRunAndIsSkippedInAnEveryPrinterRun)
{
    DeleteAllPrinters();
    TestPrinter one("Plotter 1F", kDriver), two("Plotter 2F", kDriver);
    ASSERT_TRUE(one.added() && two.added());
    const std::string driverIni = CDriverINI().GetIniPath();
    TempDir tool("fleet");
    ASSERT_TRUE(WriteFileBytes(tool.file("KPXSETUP.INI"),
                               ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\fleet.kpx")})));
    ASSERT_TRUE(WriteFileBytes(tool.file("fleet.kpx"), "f"));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string systemTarget = std::string(system) + "\\fleet.kpx";
    const std::string driverTarget = std::string(system) + "\\spool\\drivers\\w32x86\\3\\fleet.kpx";
    const Lines office = {"ColorProfileSetName=Office", "Auto=fleet.kpx", "Font=fleet.kpx", "Tone=fleet.kpx",
                          "Vividness=fleet.kpx"};
    const std::string gone = std::to_string(ApplyPrinterGone), done = std::to_string(ApplyCompleted);

    const struct {
        bool every;
        ApplyStop stop;
        std::vector<std::string> told;
    } cases[] = {
        {false, ApplyPrinterGone, {"ended Plotter 2F " + gone}},
        {true,
         ApplyCompleted,
         {"skipped Plotter 2F " + gone, "installed " + systemTarget, "installed " + driverTarget, "recorded Plotter 1F",
          "ended Plotter 1F " + done}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.every);
        DeleteFileA(driverIni.c_str());
        DeleteFileA(systemTarget.c_str());
        DeleteFileA(driverTarget.c_str());
        SpoolerFakes spooler;
        spooler.RefuseOpen("Plotter 2F");
        ApplyRecorder steps;
        const CKPXSetupINI toolIni(tool.file("KPXSETUP.INI"), tool.path());
        CProfileSetApply apply(toolIni, steps);
        ApplyRequest request;
        request.printers = {"Plotter 1F", "Plotter 2F"};
        request.setName = "Office";
        request.skipUnusable = c.every;
        const ApplyResult outcome = apply.Run(request, CPrinterSnapshot());
        EXPECT_EQ(outcome.stop, c.stop);
        EXPECT_EQ(steps.steps, c.told);
        EXPECT_EQ(IniSection(driverIni, "Plotter 1F"), c.every ? office : Lines());
        EXPECT_EQ(PathExists(systemTarget), c.every);
        EXPECT_TRUE(IniSection(driverIni, "Plotter 2F").empty());
    }
    DeleteFileA(driverIni.c_str());
    DeleteFileA(systemTarget.c_str());
    DeleteFileA(driverTarget.c_str());
}

TEST(FleetApply, ARecordThatCannotBeWrittenFailsForEveryPrinter)
{
    DeleteAllPrinters();
    TestPrinter one("Plotter 1F", kDriver), two("Plotter 2F", kColorDriver);
    ASSERT_TRUE(one.added() && two.added());
    const std::string driverIni = CDriverINI().GetIniPath();
    DeleteFileA(driverIni.c_str());
    ASSERT_TRUE(CreateDirectoryA(driverIni.c_str(), nullptr));
    TempDir tool("fleet");
    ASSERT_TRUE(WriteFileBytes(tool.file("KPXSETUP.INI"),
                               ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\fleet.kpx")})));
    ASSERT_TRUE(WriteFileBytes(tool.file("fleet.kpx"), "f"));

    ApplyRecorder steps;
    const CKPXSetupINI toolIni(tool.file("KPXSETUP.INI"), tool.path());
    CProfileSetApply apply(toolIni, steps);
    ApplyRequest request;
    request.printers = {"Plotter 1F", "Plotter 2F"};
    request.setName = "Office";
    const ApplyResult outcome = apply.Run(request, CPrinterSnapshot());
    EXPECT_EQ(outcome.stop, ApplyCompleted);
    ASSERT_EQ(outcome.printers.size(), 2u);
    for (const PrinterApplied& printer : outcome.printers) {
        EXPECT_EQ(printer.outcome.stop, ApplyNotRecorded) << printer.request.printer;
        EXPECT_EQ(printer.outcome.copies.installed.size(), 2u) << printer.request.printer;
    }
    EXPECT_TRUE(RemoveDirectoryA(driverIni.c_str()));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    DeleteFileA((std::string(system) + "\\fleet.kpx").c_str());
    DeleteFileA((std::string(system) + "\\spool\\drivers\\w32x86\\3\\fleet.kpx").c_str());
}

TEST(FleetApply, TellsThePrintersOfOtherSetsThatNowPrintWithAReplacedFileAndTheCheckRefusesARenamedPrinter)
{
    DeleteAllPrinters();
    TestPrinter one("Plotter 1F", kDriver), two("Plotter 2F", kDriver), other("Plotter 3F", kColorDriver);
    ASSERT_TRUE(one.added() && two.added() && other.added());
    const std::string driverIni = CDriverINI().GetIniPath();
    ASSERT_TRUE(WriteFileBytes(driverIni, "[Plotter 3F]\r\nColorProfileSetName=Home\r\nAuto=fleet.kpx\r\n"));
    TempDir tool("fleet");
    ASSERT_TRUE(WriteFileBytes(tool.file("KPXSETUP.INI"),
                               ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\fleet.kpx")})));
    ASSERT_TRUE(WriteFileBytes(tool.file("fleet.kpx"), "f"));
    const CKPXSetupINI toolIni(tool.file("KPXSETUP.INI"), tool.path());
    ApplyRecorder steps;
    CProfileSetApply apply(toolIni, steps);
    // As the command line takes it: the listing's handles stand for the
    // look-up before the write.
    CPrinterSnapshot printers;
    printers.KeepHandles();
    printers.Take();
    ASSERT_EQ(printers.Listed().size(), 3u);
    ApplyRequest request;
    request.printers = {"Plotter 1F", "Plotter 2F"};
    request.setName = "Office";
    request.tellOtherPrinters = true;
    EXPECT_EQ(apply.Run(request, printers).stop, ApplyCompleted);
    EXPECT_NE(std::find(steps.steps.begin(), steps.steps.end(), "others fleet.kpx: Plotter 3F"), steps.steps.end());

    // Renamed by another program: Wine's spooler still opens it by its old
    // name, whose record it no longer bears.
    {
        HANDLE handle = nullptr;
        ASSERT_TRUE(OpenPrinterA(const_cast<char*>("Plotter 2F"), &handle, nullptr));
        DWORD needed = 0;
        GetPrinterA(handle, 2, nullptr, 0, &needed);
        std::vector<BYTE> record(needed);
        ASSERT_TRUE(GetPrinterA(handle, 2, record.data(), needed, &needed));
        reinterpret_cast<PRINTER_INFO_2A*>(record.data())->pPrinterName = const_cast<char*>("Plotter 2F Renamed");
        ASSERT_TRUE(SetPrinterA(handle, 2, record.data(), 0));
        ClosePrinter(handle);
    }
    std::string files[4];
    for (std::string& file : files)
        file = tool.file("fleet.kpx");
    const CheckOutcome check = CheckProfileSet(request, printers, files);
    EXPECT_EQ(check.stop, ApplyPrinterGone);
    EXPECT_EQ(check.stoppedAt, "Plotter 2F");

    // Deleted by another program while the listing's handle is still open.
    {
        HANDLE handle = nullptr;
        ASSERT_TRUE(OpenPrinterA(const_cast<char*>("Plotter 1F"), &handle, nullptr));
        EXPECT_TRUE(DeletePrinter(handle));
        ClosePrinter(handle);
    }
    request.printers = {"Plotter 1F"};
    const CheckOutcome deleted = CheckProfileSet(request, printers, files);
    EXPECT_EQ(deleted.stop, ApplyPrinterGone);
    EXPECT_EQ(deleted.stoppedAt, "Plotter 1F");

    DeleteFileA(driverIni.c_str());
    DeleteFileA(SystemDirectoryFile("fleet.kpx").c_str());
    DeleteFileA(SystemDirectoryFile("spool\\drivers\\w32x86\\3\\fleet.kpx").c_str());
}

} // namespace
