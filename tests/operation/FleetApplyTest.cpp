// The apply for several printers as an operation: every printer is checked
// before anything is written, a printer the spooler will not open stops the
// run when it was named and is skipped when every printer was asked for, and
// a record that cannot be written fails for every printer at once.
#include "operation/ProfileSetApply.h"

#include "settings/DriverINI.h"
#include "support/IniSection.h"
#include "support/SettingsText.h"
#include "support/SpoolerFakes.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Says yes to everything and keeps what it is told, one entry per step.
class Steps : public IApplyCallback {
public:
    std::vector<std::string> told;
    bool ConfirmApply() override { return true; }
    bool SourceFileMissing(std::string&, DWORD) override { return false; }
    INT_PTR AskOverwrite(const std::string&, const std::string&) override { return OverwriteYes; }
    void FileInstalled(const std::string& target) override { told.push_back("installed " + target); }
    void SetRecorded(const ApplyRequest& request) override { told.push_back("recorded " + request.printer); }
    void PrinterSkipped(const ApplyRequest& request, ApplyStop why) override
    {
        told.push_back("skipped " + request.printer + " " + std::to_string(why));
    }
    void ApplyEnded(const ApplyRequest& request, const ApplyOutcome& outcome) override
    {
        told.push_back("ended " + request.printer + " " + std::to_string(outcome.stop));
    }
};

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
        Steps steps;
        const CKPXSetupINI toolIni(tool.file("KPXSETUP.INI"), tool.path());
        CProfileSetApply apply(toolIni, steps);
        FleetRequest request;
        request.printers = {"Plotter 1F", "Plotter 2F"};
        request.setName = "Office";
        request.skipUnusable = c.every;
        const FleetOutcome outcome = apply.RunForPrinters(request);
        EXPECT_EQ(outcome.stop, c.stop);
        EXPECT_EQ(steps.told, c.told);
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

    Steps steps;
    const CKPXSetupINI toolIni(tool.file("KPXSETUP.INI"), tool.path());
    CProfileSetApply apply(toolIni, steps);
    FleetRequest request;
    request.printers = {"Plotter 1F", "Plotter 2F"};
    request.setName = "Office";
    const FleetOutcome outcome = apply.RunForPrinters(request);
    EXPECT_EQ(outcome.stop, ApplyCompleted);
    ASSERT_EQ(outcome.printers.size(), 2u);
    for (const FleetPrinter& printer : outcome.printers) {
        EXPECT_EQ(printer.outcome.stop, ApplyNotRecorded) << printer.request.printer;
        EXPECT_EQ(printer.outcome.copies.installed.size(), 2u) << printer.request.printer;
    }
    EXPECT_TRUE(RemoveDirectoryA(driverIni.c_str()));
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    DeleteFileA((std::string(system) + "\\fleet.kpx").c_str());
    DeleteFileA((std::string(system) + "\\spool\\drivers\\w32x86\\3\\fleet.kpx").c_str());
}

} // namespace
