// In a 64-bit prefix, where this 32-bit program runs under WOW64 and the
// spooler runs 64-bit drivers: a profile's driver target is the directory
// of the printer's x64 driver (spool\drivers\x64\3) when it has one, else
// that of its 32-bit driver (w32x86\3).
#include "operation/ProfileTargets.h"

#include "platform/PlatformFlags.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterHandle.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TestPrinter.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Names of this file's own: the prefix is shared by the run, and a driver
// stays installed once added.
const char kBothDriver[] = "KESTRO PLOTARA x64 and x86 (target test)";
const char kX86Driver[] = "KESTRO PLOTARA x86 only (target test)";

TEST(ProfileTargetsWow64, TheNativeDriverDirectoryWhereThePrinterHasOneElseThe32BitOne)
{
    ASSERT_EQ(1, QueryWow64()) << "not a 64-bit prefix";
    ASSERT_TRUE(EnsureTestDriver(kBothDriver, "Windows x64"));
    TestPrinter both("Plotter x64", kBothDriver);
    TestPrinter x86Only("Plotter x86", kX86Driver);
    ASSERT_TRUE(both.added() && x86Only.added());
    ScopedOsVersion version(Os7);
    ScopedPlatformFlags flags(true, false);
    char systemDir[MAX_PATH] = {};
    GetSystemDirectoryA(systemDir, MAX_PATH);

    const struct {
        const char* printer;
        const char* driverDir;
    } cases[] = {{"Plotter x64", "x64\\3"}, {"Plotter x86", "w32x86\\3"}};
    for (const auto& c : cases) {
        std::string systemTarget, driverTarget;
        CPrinterHandle printer = OpenPrinterHandle(c.printer, PRINTER_ALL_ACCESS);
        ASSERT_TRUE(printer.IsValid()) << c.printer;
        GetTargetPaths(GetDriverDirectory(printer.Get()), "C:\\Tools\\office\\auto.kpx", systemTarget, driverTarget);
        const std::string expected = std::string(systemDir) + "\\spool\\drivers\\" + c.driverDir + "\\auto.kpx";
        EXPECT_EQ(0, lstrcmpiA(expected.c_str(), driverTarget.c_str())) << c.printer << ": " << driverTarget;
        // The directory is the driver's own: its files lie there.
        const std::string dir =
            PrefixPath(std::string("drive_c\\windows\\system32\\spool\\drivers\\") + c.driverDir + "\\kpxtestdrv.dll");
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(dir.c_str())) << dir;
    }
}

} // namespace
