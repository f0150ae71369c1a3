// A system without the print spooler's DLL, or with one that lacks a
// function, which Wine cannot produce: the seam's spooler entries are what
// the run-time binding gives then. With a supported printer installed, both
// faces meet the machine as one without a supported printer.
#include "app/KPXSetupApp.h"
#include "classlib/SystemFunctions.h"
#include "cmdline/RunOutput.h"
#include "cmdline/UnattendedExitCodes.h"
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

// A spooler that gives no list is no empty list: every printer command ends
// with its own code and says so, the listing too.
TEST_F(MissingSpooler, EveryPrinterCommandEndsWithTheSpoolersCode)
{
    TempDir dir;
    const std::string log = dir.file("run.log");
    for (const char* request : {"/list", "/printer:\"Plotter 3F\" /set:Office", "/check /printer:* /set:Office"}) {
        SCOPED_TRACE(request);
        DeleteFileA(log.c_str());
        m_app.m_strCmdLine = std::string(request) + " \"/log:" + log + "\"";
        EXPECT_EQ(ExitSpoolerFailed, m_app.Run());
        EXPECT_NE(ReadFileBytes(log).find(LoadResString(IDS_CMD_SPOOLER_FAILED) + ": "), std::string::npos);
    }
    EXPECT_TRUE(m_boxes.boxes().empty());
}

} // namespace
