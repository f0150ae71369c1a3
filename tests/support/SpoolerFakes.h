// Spooler conditions that Wine cannot produce, put in through the platform
// seam around the real spooler: a printer the current user may not open, a
// printer connection whose server is unknown, a listing that fails. Printers
// are still added for real (TestPrinter); only the named ones are affected.
//
//   TestPrinter p("alpha", kDriver);
//   SpoolerFakes spooler;
//   spooler.RefuseOpen("alpha");
//   ... code under test ...
//   EXPECT_EQ(0, spooler.OpenCount("alpha"));
//
// The seam entries EnumPrintersA, OpenPrinterA and ClosePrinter are replaced
// for the life of the object; only one object may exist at a time.
#pragma once

#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

#include <string>

class SpoolerFakes : Uncopyable {
public:
    SpoolerFakes();
    ~SpoolerFakes();

    // OpenPrinterA on this printer fails with ERROR_ACCESS_DENIED, as for a
    // connection the user may not administer.
    void RefuseOpen(const std::string& printer);

    // The printer's level-2 record reports PRINTER_STATUS_SERVER_UNKNOWN.
    void MarkServerUnknown(const std::string& printer);

    // EnumPrintersA still reports the size it needs, but every call that
    // hands it a buffer fails with ERROR_INSUFFICIENT_BUFFER.
    void FailListing();

    // OpenPrinterA calls that named this printer since the object was made
    // (refused ones included). Names match without regard to case, as the
    // spooler's do.
    int OpenCount(const std::string& printer) const;

    // Printer handles opened through the seam since the object was made and
    // not closed through it yet.
    int OpenHandles() const;

private:
    ScopedApiOverride<&Win32Api::EnumPrintersA> m_enum;
    ScopedApiOverride<&Win32Api::OpenPrinterA> m_open;
    ScopedApiOverride<&Win32Api::ClosePrinter> m_close;
};
