// Renaming a printer and the decision whether it may be renamed, against
// Wine's real spooler. Wine's spooler refuses every level-5 SetPrinterA, so
// a spooler that accepts the new name is stood in for through the seam; it
// checks the record it is handed against the printer's real one.
#include "printers/PrinterRename.h"

#include "printers/RenamePermission.h"
#include "support/AcceptedRenames.h"
#include "support/ApiOverride.h"
#include "support/SpoolerFakes.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// GetPrinterA, except that reading the record of that level fails as for a
// handle the spooler no longer knows.
auto UnreadableLevel(DWORD unreadable)
{
    return [unreadable](HANDLE printer, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed) {
        if (level == unreadable && buffer) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        return GetPrinterA(printer, level, buffer, size, needed);
    };
}

auto NoMemory()
{
    return [](UINT, SIZE_T) -> HGLOBAL { return nullptr; };
}

bool PrinterExists(const std::string& name)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ACCESS_USE};
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &h, &defaults))
        return false;
    ClosePrinter(h);
    return true;
}

// The printer's level-5 record as the spooler gives it, with its size.
struct LevelFive {
    DWORD size = 0;
    std::string port;
    DWORD attributes = 0;
    DWORD deviceNotSelectedTimeout = 0;
    DWORD transmissionRetryTimeout = 0;
};

LevelFive ReadLevelFive(const std::string& name)
{
    LevelFive result;
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &h, &defaults))
        return result;
    GetPrinterA(h, 5, nullptr, 0, &result.size);
    std::vector<BYTE> buffer(result.size);
    DWORD needed = 0;
    if (result.size && GetPrinterA(h, 5, buffer.data(), result.size, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(buffer.data());
        result.port = info->pPortName ? info->pPortName : "";
        result.attributes = info->Attributes;
        result.deviceNotSelectedTimeout = info->DeviceNotSelectedTimeout;
        result.transmissionRetryTimeout = info->TransmissionRetryTimeout;
    }
    ClosePrinter(h);
    return result;
}

class PrinterRenameTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteAllPrinters(); }
    void TearDown() override { DeleteAllPrinters(); }
};

// --- RenamePrinter ---

TEST_F(PrinterRenameTest, AcceptedNameTravelsWholeAfterTheRecordInTheSameBlock)
{
    TestPrinter printer("Plotter 3F", kDriver, "LPT1:", PRINTER_ATTRIBUTE_LOCAL);
    ASSERT_TRUE(printer.added());
    const LevelFive real = ReadLevelFive("Plotter 3F");
    ASSERT_GT(real.size, sizeof(PRINTER_INFO_5A));

    // Longer than any buffer the record itself could hold, with a
    // double-byte character whose trail byte is a backslash.
    const std::string longName = std::string(600, 'P') + "\x83\x5C" + " 2F";
    const std::string names[] = {"Plotter 2F", longName};
    for (const std::string& newName : names) {
        SpoolerFakes spooler;
        AcceptedRenames accept;

        EXPECT_TRUE(RenamePrinter("Plotter 3F", newName.c_str()));
        ASSERT_EQ(accept.calls().size(), 1u);
        const SetPrinterCall& call = accept.calls()[0];
        EXPECT_EQ(call.level, 5u);
        EXPECT_EQ(call.command, 0u);
        EXPECT_EQ(call.name, newName);
        // In the same block, just past the part the spooler filled.
        EXPECT_EQ(call.nameOffset, static_cast<ptrdiff_t>(real.size));
        // Everything else goes back as the spooler gave it.
        EXPECT_EQ(call.port, real.port);
        EXPECT_EQ(call.attributes, real.attributes);
        EXPECT_EQ(call.deviceNotSelectedTimeout, real.deviceNotSelectedTimeout);
        EXPECT_EQ(call.transmissionRetryTimeout, real.transmissionRetryTimeout);
        EXPECT_EQ(spooler.OpenHandles(), 0);
    }
}

TEST_F(PrinterRenameTest, RealSpoolerRefusesAndThePrinterKeepsItsName)
{
    TestPrinter printer("Plotter 3F", kDriver);
    ASSERT_TRUE(printer.added());
    SpoolerFakes spooler;

    EXPECT_FALSE(RenamePrinter("Plotter 3F", "Plotter 2F"));
    EXPECT_TRUE(PrinterExists("Plotter 3F"));
    EXPECT_FALSE(PrinterExists("Plotter 2F"));
    EXPECT_EQ(spooler.OpenHandles(), 0);
}

TEST_F(PrinterRenameTest, NothingIsAskedOfTheSpoolerWhenAStepFails)
{
    TestPrinter printer("Plotter 3F", kDriver);
    ASSERT_TRUE(printer.added());
    const struct {
        const char* what;
        void (*arrange)(SpoolerFakes&);
        bool noMemory;
        bool unreadable;
        const char* name;
    } cases[] = {
        {"printer cannot be opened", [](SpoolerFakes& s) { s.RefuseOpen("Plotter 3F"); }, false, false, "Plotter 3F"},
        {"no such printer", [](SpoolerFakes&) {}, false, false, "Plotter 9F"},
        {"no memory for the record", [](SpoolerFakes&) {}, true, false, "Plotter 3F"},
        {"record cannot be read", [](SpoolerFakes&) {}, false, true, "Plotter 3F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SpoolerFakes spooler;
        c.arrange(spooler);
        AcceptedRenames accept;
        ScopedApiOverride<&Win32Api::GlobalAlloc> memory(
            [&](UINT flags, SIZE_T bytes) { return c.noMemory ? nullptr : ::GlobalAlloc(flags, bytes); });
        ScopedApiOverride<&Win32Api::GetPrinterA> read(UnreadableLevel(c.unreadable ? 5 : 0));

        EXPECT_FALSE(RenamePrinter(c.name, "Plotter 2F"));
        EXPECT_TRUE(accept.calls().empty());
        EXPECT_EQ(spooler.OpenHandles(), 0);
    }
    EXPECT_TRUE(PrinterExists("Plotter 3F"));
}

// --- Rename permission ---

TEST(RenamePermissionTest, SharedAndNetworkAttributesForbidRenaming)
{
    const struct {
        DWORD attributes;
        bool allowed;
    } cases[] = {
        {0, true},
        {PRINTER_ATTRIBUTE_LOCAL, true},
        {PRINTER_ATTRIBUTE_DEFAULT | PRINTER_ATTRIBUTE_LOCAL, true},
        {PRINTER_ATTRIBUTE_QUEUED | PRINTER_ATTRIBUTE_DIRECT, true},
        {PRINTER_ATTRIBUTE_SHARED, false},
        {PRINTER_ATTRIBUTE_NETWORK, false},
        {PRINTER_ATTRIBUTE_SHARED | PRINTER_ATTRIBUTE_NETWORK, false},
        {PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED, false},
        {0xFFFFFFFF, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AttributesAllowRename(c.attributes), c.allowed) << std::hex << c.attributes;
}

TEST_F(PrinterRenameTest, SpoolerAnswerFollowsThePrintersAttributes)
{
    TestPrinter local("Local Plotter", kDriver, "FILE:", PRINTER_ATTRIBUTE_LOCAL);
    TestPrinter shared("Shared Plotter", kDriver, "FILE:", PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_SHARED);
    TestPrinter network("Network Plotter", kColorDriver, "FILE:", PRINTER_ATTRIBUTE_NETWORK);
    ASSERT_TRUE(local.added() && shared.added() && network.added());
    SpoolerFakes spooler;

    EXPECT_EQ(QueryRenameAllowed("Local Plotter"), 1);
    EXPECT_EQ(QueryRenameAllowed("Shared Plotter"), 0);
    EXPECT_EQ(QueryRenameAllowed("Network Plotter"), 0);
    EXPECT_EQ(spooler.OpenHandles(), 0);
}

TEST_F(PrinterRenameTest, UnopenablePrinterGivesNoAnswer)
{
    TestPrinter shared("Shared Plotter", kDriver, "FILE:", PRINTER_ATTRIBUTE_SHARED);
    ASSERT_TRUE(shared.added());
    SpoolerFakes spooler;
    spooler.RefuseOpen("Shared Plotter");

    EXPECT_EQ(QueryRenameAllowed("Shared Plotter"), -1);
    EXPECT_EQ(QueryRenameAllowed("No Such Plotter"), -1);
    // An empty name would open the print server itself: it is never tried.
    EXPECT_EQ(QueryRenameAllowed(""), -1);
    EXPECT_EQ(spooler.OpenCount(""), 0);
}

TEST_F(PrinterRenameTest, UnreadableRecordLeavesRenamingAllowed)
{
    TestPrinter shared("Shared Plotter", kDriver, "FILE:", PRINTER_ATTRIBUTE_SHARED);
    ASSERT_TRUE(shared.added());
    SpoolerFakes spooler;
    {
        ScopedApiOverride<&Win32Api::GlobalAlloc> memory(NoMemory());
        EXPECT_EQ(QueryRenameAllowed("Shared Plotter"), 1);
    }
    {
        ScopedApiOverride<&Win32Api::GetPrinterA> read(UnreadableLevel(2));
        EXPECT_EQ(QueryRenameAllowed("Shared Plotter"), 1);
    }
    EXPECT_EQ(spooler.OpenHandles(), 0);
}

} // namespace
