// The enumeration start-up and the main dialog share: which printers it
// lists, and that it opens each printer of a supported driver once per
// enumeration and no printer of another driver.
#include "printers/PrinterSnapshot.h"

#include "support/SpoolerFakes.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

Names ListedNames(CPrinterSnapshot& snapshot)
{
    Names names;
    for (unsigned i : snapshot.Listed())
        names.push_back(snapshot.List().GetItem(i)->pPrinterName);
    return names;
}

TEST(PrinterSnapshot, ListsUsablePrintersOfTheSupportedDriversOpeningEachOnce)
{
    DeleteAllPrinters();
    TestPrinter alpha("alpha", kDriver), beta("beta", kOtherDriver), delta("delta", kDriver),
        gamma("gamma", kColorDriver);
    ASSERT_TRUE(alpha.added() && beta.added() && delta.added() && gamma.added());
    SpoolerFakes spooler;
    spooler.RefuseOpen("delta");

    CPrinterSnapshot snapshot;
    EXPECT_FALSE(snapshot.IsTaken());
    ASSERT_EQ(4u, snapshot.Take());
    // Start-up's question stops at the first listed printer.
    EXPECT_TRUE(snapshot.AnyListed());
    EXPECT_EQ(0, spooler.OpenCount("delta"));
    // The list checks the rest; asking again opens nothing.
    EXPECT_EQ((Names{"alpha", "gamma"}), ListedNames(snapshot));
    EXPECT_EQ((Names{"alpha", "gamma"}), ListedNames(snapshot));
    const std::pair<const char*, int> opens[] = {{"alpha", 1}, {"beta", 0}, {"delta", 1}, {"gamma", 1}};
    for (const auto& printer : opens)
        EXPECT_EQ(printer.second, spooler.OpenCount(printer.first)) << printer.first;

    // The next Take sees the spooler as it is now and checks again.
    spooler.RefuseOpen("alpha");
    EXPECT_EQ(4u, snapshot.Take());
    EXPECT_EQ((Names{"gamma"}), ListedNames(snapshot));
    EXPECT_EQ(2, spooler.OpenCount("gamma"));
}

} // namespace
