// A printer added between the size query and the fill of an enumeration: the
// fill is tried again with the size the spooler then asks for.
#include "printers/PrnInfoList.h"
#include "support/ApiOverride.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// One printer of the family in the spooler; each call of the enumeration for
// which `grown(call, buffer)` holds meets a list that has grown beyond what
// the spooler said before. `calls` counts the spooler's calls.
class PrnInfoListGrowth : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        m_plotter.reset(new TestPrinter("Plotter 3F", kDriver));
        ASSERT_TRUE(m_plotter->added());
    }

    size_t Enumerate(const std::function<bool(int call, LPBYTE buffer)>& grown)
    {
        ScopedApiOverride<&Win32Api::EnumPrintersA> spooler(
            [&](DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
                const BOOL ok = ::EnumPrintersA(flags, name, level, buffer, size, needed, returned);
                if (!grown(++calls, buffer))
                    return ok;
                *needed += size + 64;
                *returned = 0;
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return FALSE;
            });
        return printers.Enumerate();
    }

    std::unique_ptr<TestPrinter> m_plotter;
    CPrnInfoList printers;
    int calls = 0;
};

TEST_F(PrnInfoListGrowth, AFillThatFindsTheBlockTooSmallIsTriedAgain)
{
    // The first fill (the second call) meets a list that has grown.
    ASSERT_EQ(Enumerate([](int call, LPBYTE) { return call == 2; }), 1u);
    ASSERT_NE(printers.GetItem(0), nullptr);
    EXPECT_STREQ(printers.GetItem(0)->pPrinterName, "Plotter 3F");
    EXPECT_EQ(calls, 3);
}

TEST_F(PrnInfoListGrowth, AListThatKeepsGrowingIsGivenUpAsEmpty)
{
    EXPECT_EQ(Enumerate([](int, LPBYTE buffer) { return buffer != nullptr; }), 0u);
    EXPECT_EQ(printers.GetItem(0), nullptr);
    EXPECT_LE(calls, 6); // bounded: the size query and a few fills
}

} // namespace
