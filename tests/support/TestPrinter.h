// Printers added through the real spooler for the length of a test. The
// driver is registered on first use (with an empty driver file, which Wine's
// spooler accepts); the printer is deleted again in the destructor, since
// Wine keeps printers in the prefix across processes.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <string>

class TestPrinter : Uncopyable {
public:
    TestPrinter(const std::string& name, const std::string& driver,
                const std::string& port = "FILE:", DWORD attributes = 0);
    ~TestPrinter();

    const std::string& name() const { return m_name; }
    bool added() const { return m_added; }

private:
    std::string m_name;
    bool m_added = false;
};

// Registers a printer driver of that name with the spooler for one
// environment; true on success. Null is this program's own environment, the
// one a printer needs to be added; "Windows x64" adds, in a 64-bit prefix,
// the 64-bit driver the spooler there runs (files in spool\drivers\x64\3).
bool EnsureTestDriver(const std::string& driver, const char* environment = nullptr);

// Deletes every printer the spooler lists, so a test starts from a known
// state even after an earlier test process died half-way.
void DeleteAllPrinters();

// Makes the named printer the system's default printer.
bool SetDefaultTestPrinter(const std::string& name);

// The two driver names the tool supports, and another one.
extern const char* const kDriver;      // "KESTRO PLOTARA"
extern const char* const kColorDriver; // "KESTRO PLOTARA Color Printer"
extern const char* const kOtherDriver; // a driver of another maker
