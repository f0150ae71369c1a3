// The printer list against Wine's real spooler: printers are added and
// deleted for real; what Wine cannot produce (a refused open, an unknown
// server, a failed allocation or listing) comes in through the seam.
#include "printers/PrnInfoList.h"

#include "printers/PrinterFilter.h"
#include "support/ApiOverride.h"
#include "support/SpoolerFakes.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

class PrnInfoListTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteAllPrinters(); }
    void TearDown() override { DeleteAllPrinters(); }

    // Adds a printer and fails the test at once if the spooler refused it.
    void Add(const std::string& name, const char* driver, const std::string& port = "FILE:")
    {
        m_printers.push_back(std::make_unique<TestPrinter>(name, driver, port));
        ASSERT_TRUE(m_printers.back()->added()) << name;
    }

    std::vector<std::unique_ptr<TestPrinter>> m_printers;
};

// What a caller reads from one entry; "(null)" where an accessor gives null.
struct Entry {
    std::string printer, driver, port;
    bool operator==(const Entry& o) const { return printer == o.printer && driver == o.driver && port == o.port; }
};

std::ostream& operator<<(std::ostream& os, const Entry& e)
{
    return os << "{" << e.printer << ", " << e.driver << ", " << e.port << "}";
}

std::string Text(const char* s)
{
    return s ? s : "(null)";
}

Entry Read(const CPrnInfoList& list, unsigned i)
{
    const PRINTER_INFO_2A* record = list.GetItem(i);
    if (!record)
        return {"(null)", "(null)", "(null)"};
    return {Text(record->pPrinterName), Text(record->pDriverName), Text(record->pPortName)};
}

const Entry kNothing = {"(null)", "(null)", "(null)"};

TEST_F(PrnInfoListTest, NoPrintersGiveAnEmptyList)
{
    CPrnInfoList list;
    EXPECT_EQ(0u, list.Enumerate());
    EXPECT_EQ(nullptr, list.GetItem(0));
    EXPECT_EQ(kNothing, Read(list, 0));
}

TEST_F(PrnInfoListTest, ReturnsEveryPrinterWithItsNames)
{
    Add("gamma", kColorDriver, "LPT1:");
    Add("alpha", kDriver);
    Add("beta", kDriver);

    CPrnInfoList list;
    ASSERT_EQ(3u, list.Enumerate());
    // Wine's spooler lists printers alphabetically.
    EXPECT_EQ((Entry{"alpha", kDriver, "FILE:"}), Read(list, 0));
    EXPECT_EQ((Entry{"beta", kDriver, "FILE:"}), Read(list, 1));
    EXPECT_EQ((Entry{"gamma", kColorDriver, "LPT1:"}), Read(list, 2));
    ASSERT_NE(nullptr, list.GetItem(2));
    EXPECT_STREQ("gamma", list.GetItem(2)->pPrinterName);
}

TEST_F(PrnInfoListTest, KeepsTheSpoolersOrder)
{
    Add("alpha", kDriver);
    Add("beta", kDriver);
    Add("gamma", kDriver);
    // The records of a level-2 listing reversed, so that the spooler's order
    // is one that no sort by name would give.
    ScopedApiOverride<&Win32Api::EnumPrintersA> reversed(
        [&](DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
            BOOL ok = reversed.saved()(flags, name, level, buffer, size, needed, returned);
            if (ok && buffer && level == 2) {
                auto* records = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
                std::reverse(records, records + *returned);
            }
            return ok;
        });

    CPrnInfoList list;
    ASSERT_EQ(3u, list.Enumerate());
    EXPECT_STREQ("gamma", list.GetItem(0)->pPrinterName);
    EXPECT_STREQ("beta", list.GetItem(1)->pPrinterName);
    EXPECT_STREQ("alpha", list.GetItem(2)->pPrinterName);
}

TEST_F(PrnInfoListTest, GivesNothingAtOrBeyondTheCount)
{
    Add("alpha", kDriver);
    Add("beta", kDriver);

    CPrnInfoList list;
    EXPECT_EQ(nullptr, list.GetItem(0)) << "not enumerated yet";
    EXPECT_EQ(kNothing, Read(list, 0));

    ASSERT_EQ(2u, list.Enumerate());
    EXPECT_NE(nullptr, list.GetItem(1));
    EXPECT_EQ(nullptr, list.GetItem(2));
    EXPECT_EQ(kNothing, Read(list, 2));
    EXPECT_EQ(nullptr, list.GetItem(UINT_MAX));
    EXPECT_EQ(kNothing, Read(list, UINT_MAX));

    list.FreeBuffer();
    EXPECT_EQ(nullptr, list.GetItem(0));
    EXPECT_EQ(kNothing, Read(list, 0));
}

TEST_F(PrnInfoListTest, ListsPrintersOfOtherDriversToo)
{
    Add("alpha", kDriver);
    Add("other", kOtherDriver);

    CPrnInfoList list;
    ASSERT_EQ(2u, list.Enumerate());
    EXPECT_EQ((Entry{"other", kOtherDriver, "FILE:"}), Read(list, 1));
    EXPECT_TRUE(IsSupportedDriver(list.GetItem(0)->pDriverName));
    EXPECT_FALSE(IsSupportedDriver(list.GetItem(1)->pDriverName));
}

TEST_F(PrnInfoListTest, SeesPrintersAddedOrDeletedSinceTheLastSnapshot)
{
    Add("beta", kDriver);
    CPrnInfoList list;
    ASSERT_EQ(1u, list.Enumerate());

    Add("alpha", kColorDriver);
    ASSERT_EQ(2u, list.Enumerate());
    EXPECT_EQ((Entry{"alpha", kColorDriver, "FILE:"}), Read(list, 0));
    EXPECT_EQ((Entry{"beta", kDriver, "FILE:"}), Read(list, 1));

    m_printers.pop_back(); // deletes alpha
    ASSERT_EQ(1u, list.Enumerate());
    EXPECT_EQ((Entry{"beta", kDriver, "FILE:"}), Read(list, 0));
}

TEST_F(PrnInfoListTest, PrinterTheUserMayNotOpenIsNotUsable)
{
    Add("alpha", kDriver);
    Add("beta", kColorDriver);
    SpoolerFakes spooler;
    spooler.RefuseOpen("alpha");

    CPrnInfoList list;
    ASSERT_EQ(2u, list.Enumerate()) << "still counted";
    EXPECT_FALSE(IsPrinterUsable(list.GetItem(0)));
    EXPECT_TRUE(IsPrinterUsable(list.GetItem(1)));
    EXPECT_EQ(0, spooler.OpenHandles());
}

TEST_F(PrnInfoListTest, PrinterOfAnUnknownServerIsNeverOpened)
{
    Add("alpha", kDriver);
    Add("beta", kDriver);
    SpoolerFakes spooler;
    spooler.MarkServerUnknown("alpha");

    CPrnInfoList list;
    ASSERT_EQ(2u, list.Enumerate());
    EXPECT_FALSE(IsPrinterUsable(list.GetItem(0)));
    EXPECT_TRUE(IsPrinterUsable(list.GetItem(1)));
    EXPECT_EQ(0, spooler.OpenCount("alpha"));
    EXPECT_GT(spooler.OpenCount("beta"), 0);
    EXPECT_EQ(0, spooler.OpenHandles());
}

TEST_F(PrnInfoListTest, FailedAllocationLeavesTheListEmpty)
{
    Add("alpha", kDriver);
    CPrnInfoList list;
    ASSERT_EQ(1u, list.Enumerate());

    ScopedApiOverride<&Win32Api::GlobalAlloc> noMemory([](UINT, SIZE_T) -> HGLOBAL {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    });
    EXPECT_EQ(0u, list.Enumerate());
    EXPECT_EQ(nullptr, list.GetItem(0));
    EXPECT_EQ(kNothing, Read(list, 0));
}

TEST_F(PrnInfoListTest, FailedListingLeavesTheListEmpty)
{
    Add("alpha", kDriver);
    CPrnInfoList list;
    ASSERT_EQ(1u, list.Enumerate());

    SpoolerFakes spooler;
    spooler.FailListing();
    EXPECT_EQ(0u, list.Enumerate());
    EXPECT_EQ(nullptr, list.GetItem(0));
    EXPECT_EQ(kNothing, Read(list, 0));
}

// Only the two exact driver names of the family count.
TEST(IsSupportedDriverTest, AcceptsOnlyTheExactNames)
{
    struct Case {
        const char* name;
        bool supported;
    } const cases[] = {
        {"KESTRO PLOTARA", true},
        {"KESTRO PLOTARA Color Printer", true},
        {"kestro plotara", false},
        {"Kestro Plotara", false},
        {"KESTRO PLOTARA COLOR PRINTER", false},
        {"KESTRO PLOTARA color printer", false},
        {"KESTRO PLOTARA ", false},
        {"KESTRO PLOTARA Color Printer ", false},
        {" KESTRO PLOTARA", false},
        {"KESTRO PLOTARA Color", false},
        {"KESTRO", false},
        {"", false},
        {"Generic Laser 5", false},
        {nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.supported, IsSupportedDriver(c.name)) << (c.name ? c.name : "(null)");
}

} // namespace
