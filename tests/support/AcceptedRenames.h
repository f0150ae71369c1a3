// Stands in for the spooler's side of a rename while it lives: a level-5
// SetPrinterA succeeds and is recorded, as a spooler that takes the new name
// would (Wine's refuses every level-5 call). Every call is recorded; calls of
// other levels still reach the real spooler.
//   AcceptedRenames spooler;
//   ... code under test renames ...
//   EXPECT_EQ(std::vector<std::string>{"Plotter 2F"}, spooler.names());
#pragma once

#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

#include <cstddef>
#include <string>
#include <vector>

// What SetPrinterA was handed; the record's fields only for level 5.
struct SetPrinterCall {
    DWORD level = 0;
    DWORD command = 0;
    std::ptrdiff_t nameOffset = -1; // where pPrinterName points, from the record's start
    std::string name;               // pPrinterName
    std::string port;               // pPortName
    DWORD attributes = 0;
    DWORD deviceNotSelectedTimeout = 0;
    DWORD transmissionRetryTimeout = 0;
};

class AcceptedRenames : Uncopyable {
public:
    AcceptedRenames();

    const std::vector<SetPrinterCall>& calls() const { return m_calls; }
    // The new names of the accepted level-5 calls, in order.
    std::vector<std::string> names() const;

private:
    std::vector<SetPrinterCall> m_calls;
    ScopedApiOverride<&Win32Api::SetPrinterA> m_override;
};
