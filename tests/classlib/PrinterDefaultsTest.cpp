// The application's printer defaults name the system's default printer.
#include "classlib/WinApp.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string DeviceName(HGLOBAL devNames)
{
    const DEVNAMES* names = static_cast<const DEVNAMES*>(GlobalLock(devNames));
    if (!names)
        return std::string();
    std::string device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
    GlobalUnlock(devNames);
    return device;
}

TEST(PrinterDefaultsTest, NameTheDefaultPrinter)
{
    DeleteAllPrinters();
    TestPrinter other("KPX Other Probe", kOtherDriver);
    TestPrinter chosen("KPX Default Probe", kDriver);
    ASSERT_TRUE(chosen.added());
    ASSERT_TRUE(SetDefaultTestPrinter(chosen.name()));

    CWinApp app;
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    ASSERT_TRUE(app.GetPrinterDeviceDefaults(&pd));
    ASSERT_NE(pd.hDevNames, nullptr);
    EXPECT_EQ(DeviceName(pd.hDevNames), "KPX Default Probe");
}

TEST(PrinterDefaultsTest, FailWithoutAnyPrinter)
{
    DeleteAllPrinters();
    CWinApp app;
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof(pd);
    EXPECT_FALSE(app.GetPrinterDeviceDefaults(&pd));
}

} // namespace
