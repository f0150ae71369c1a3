// A system without the print spooler's DLL, or with one that lacks a
// function, which Wine cannot produce: the seam's spooler entries are what
// the run-time binding gives then. With a supported printer installed, both
// faces meet the machine as one without a supported printer.
#include "app/KPXSetupApp.h"
#include "classlib/SystemFunctions.h"
#include "cmdline/UnattendedExitCodes.h"
#include "cmdline/RunOutput.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class MissingSpooler : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_plotter.added());
        m_app.InitApplication(GetModuleHandleA(nullptr));
    }
    // No main dialog may come up.
    void TearDown() override { EXPECT_TRUE(m_driver.FinishAfter(0)); }

    TestPrinter m_plotter{"Plotter 3F", kDriver};
    CKPXSetupApp m_app;
    MessageBoxRecorder m_boxes;
    DialogDriver m_driver{{}};
    const SpoolerFunctions m_missing = BindSpooler(nullptr);
    ScopedApiOverride<&Win32Api::EnumPrintersA> m_enum{m_missing.EnumPrintersA};
    ScopedApiOverride<&Win32Api::OpenPrinterA> m_open{m_missing.OpenPrinterA};
    ScopedApiOverride<&Win32Api::ClosePrinter> m_close{m_missing.ClosePrinter};
    ScopedApiOverride<&Win32Api::GetPrinterA> m_get{m_missing.GetPrinterA};
    ScopedApiOverride<&Win32Api::SetPrinterA> m_set{m_missing.SetPrinterA};
    ScopedApiOverride<&Win32Api::GetPrinterDriverA> m_driverInfo{m_missing.GetPrinterDriverA};
};

TEST_F(MissingSpooler, TheDialogsStartSaysNoSupportedPrinter)
{
    EXPECT_FALSE(m_app.InitInstance());
    m_app.ExitInstance();
    ASSERT_EQ(1u, m_boxes.boxes().size());
    EXPECT_EQ(LoadResString(IDS_NO_DRIVER), m_boxes.boxes()[0].text);
}

// The apply finds no printer (3); the list is empty, which is no failure.
TEST_F(MissingSpooler, AnUnattendedApplyEndsWithCodeThreeAndTheListIsEmpty)
{
    TempDir dir;
    const std::string log = dir.file("run.log");
    const struct {
        const char* request;
        int code;
        bool noDriverLine;
    } cases[] = {{"/list", ExitDone, false}, {"/printer:\"Plotter 3F\" /set:Office", ExitNoPrinter, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.request);
        DeleteFileA(log.c_str());
        m_app.m_strCmdLine = std::string(c.request) + " \"/log:" + log + "\"";
        EXPECT_EQ(c.code, m_app.Run());
        EXPECT_EQ(c.noDriverLine, ReadFileBytes(log).find(OneLine(LoadResString(IDS_NO_DRIVER))) != std::string::npos);
    }
    EXPECT_TRUE(m_boxes.boxes().empty());
}

} // namespace
