// The one check of a new printer name, against real printers of the spooler:
// every verdict from one table, the platform's characters and length, and the
// names the spooler knows whatever the user may open.
#include "operation/NewNameCheck.h"

#include "printers/PrinterSnapshot.h"
#include "support/ScopedOsVersion.h"
#include "support/SpoolerFakes.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct NameCase {
    const char* newName;
    const char* printer;
    OsClass os;
    NewNameVerdict verdict;
};

class NewNameCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        m_printers.emplace_back(new TestPrinter("Plotter 3F", kDriver));
        m_printers.emplace_back(new TestPrinter("Laser 2F", kOtherDriver));
        m_printers.emplace_back(new TestPrinter("Locked Plotter", kDriver));
        m_printers.emplace_back(new TestPrinter("Shared Plotter", kDriver, "FILE:", PRINTER_ATTRIBUTE_SHARED));
        for (const auto& p : m_printers)
            ASSERT_TRUE(p->added()) << p->name();
    }
    void TearDown() override
    {
        m_printers.clear();
        DeleteAllPrinters();
    }

    std::vector<std::unique_ptr<TestPrinter>> m_printers;
};

TEST_F(NewNameCheckTest, EveryRuleInItsOrder)
{
    const std::string longName(221, 'x');
    const NameCase cases[] = {
        {"", "Plotter 3F", Os7, NewNameEmpty},
        {"Plotter 3F", "Plotter 3F", Os7, NewNameUnchanged},
        {"Plotter 4F", "Plotter 3F", Os7, NewNameAccepted},
        {" Plotter 4F", "Plotter 3F", Os7, NewNameBlankEdge},
        {"Plotter 4F\t", "Plotter 3F", Os7, NewNameBlankEdge},
        // Of another driver, of the printer itself in other letters, of a
        // printer the user may not open: all names the spooler knows.
        {"laser 2f", "Plotter 3F", Os7, NewNameInUse},
        {"PLOTTER 3F", "Plotter 3F", Os7, NewNameInUse},
        {"locked plotter", "Plotter 3F", Os7, NewNameInUse},
        {"Plotter,4F", "Plotter 3F", Os7, NewNameBadChars},
        {"Plotter\\4F", "Plotter 3F", Os7, NewNameBadChars},
        {longName.c_str(), "Plotter 3F", OsXP, NewNameTooLong},
        {longName.c_str(), "Plotter 3F", Os7, NewNameAccepted},
        {"Shared Plotter 2", "Shared Plotter", Os7, NewNameRenameNotAllowed},
    };
    SpoolerFakes spooler;
    spooler.RefuseOpen("Locked Plotter");
    CPrinterSnapshot printers;
    printers.Take();
    for (const NameCase& c : cases) {
        ScopedOsVersion version(c.os);
        EXPECT_EQ(CheckNewName(printers, c.newName, c.printer), c.verdict) << "'" << c.newName << "'";
    }
    // The names come from the enumeration: no check opens a printer.
    EXPECT_EQ(spooler.OpenCount("Locked Plotter"), 0);
    EXPECT_EQ(spooler.OpenCount("Laser 2F"), 0);
}

} // namespace
