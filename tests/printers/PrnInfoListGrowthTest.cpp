// A printer added between the size query and the fill of an enumeration: the
// fill is tried again with the size the spooler then asks for.
#include "printers/PrnInfoList.h"
#include "support/ApiOverride.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(PrnInfoListGrowth, AFillThatFindsTheBlockTooSmallIsTriedAgain)
{
    DeleteAllPrinters();
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());

    // The first fill meets a list that has grown by as much again.
    int calls = 0;
    ScopedApiOverride<&Win32Api::EnumPrintersA> spooler(
        [&](DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
            ++calls;
            const BOOL ok = ::EnumPrintersA(flags, name, level, buffer, size, needed, returned);
            if (calls == 2) {
                *needed *= 2;
                *returned = 0;
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return FALSE;
            }
            return ok;
        });

    CPrnInfoList printers;
    ASSERT_EQ(printers.Enumerate(), 1u);
    EXPECT_STREQ(printers.GetPrinterName(0), "Plotter 3F");
    EXPECT_EQ(calls, 3);
}

TEST(PrnInfoListGrowth, AListThatKeepsGrowingIsGivenUpAsEmpty)
{
    DeleteAllPrinters();
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    int calls = 0;
    ScopedApiOverride<&Win32Api::EnumPrintersA> spooler(
        [&](DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
            ++calls;
            ::EnumPrintersA(flags, name, level, buffer, size, needed, returned);
            if (buffer) {
                *needed = size + 64;
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return FALSE;
            }
            return FALSE;
        });
    CPrnInfoList printers;
    EXPECT_EQ(printers.Enumerate(), 0u);
    EXPECT_EQ(printers.GetItem(0), nullptr);
    EXPECT_LE(calls, 6);  // bounded: the size query and a few fills
}

} // namespace
