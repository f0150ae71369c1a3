// A printer's record from the real spooler: one that does not fit the first
// block is read whole in a second.
#include "printers/PrinterRecord.h"

#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PrinterRecordTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteAllPrinters(); }
    void TearDown() override { DeleteAllPrinters(); }
};

TEST_F(PrinterRecordTest, ARecordLargerThanTheFirstBlockIsReadWhole)
{
    TestPrinter printer("Plotter 3F", kDriver);
    ASSERT_TRUE(printer.added());
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>("Plotter 3F"), &h, &defaults));
    // A comment of 6,000 characters makes the record larger than most.
    DWORD size = 0;
    GetPrinterA(h, 2, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    ASSERT_TRUE(GetPrinterA(h, 2, buffer.data(), size, &size));
    std::string comment(6000, 'c');
    reinterpret_cast<PRINTER_INFO_2A*>(buffer.data())->pComment = &comment[0];
    ASSERT_TRUE(SetPrinterA(h, 2, buffer.data(), 0));

    DWORD recordSize = 0;
    CGlobalMemory record = GetPrinterRecord(h, 2, 0, &recordSize);
    ClosePrinter(h);
    ASSERT_TRUE(record.IsValid());
    const auto* info = static_cast<const PRINTER_INFO_2A*>(record.Get());
    EXPECT_GT(recordSize, 6000u);
    EXPECT_EQ(std::string(info->pComment), comment);
    EXPECT_EQ(std::string(info->pDriverName), kDriver);
}

} // namespace
