#include "support/SpoolerFakes.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string.h>

namespace {

// Case-insensitive order, as the spooler compares printer names.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return _stricmp(a.c_str(), b.c_str()) < 0; }
};

// The fakes are plain WINAPI functions, so what they need lives here. Reset by
// each SpoolerFakes object.
struct FakeState {
    bool active = false;
    decltype(Win32Api::EnumPrintersA) realEnum = nullptr;
    decltype(Win32Api::OpenPrinterA) realOpen = nullptr;
    decltype(Win32Api::ClosePrinter) realClose = nullptr;
    std::set<std::string, NoCaseLess> refused;
    std::set<std::string, NoCaseLess> serverUnknown;
    std::map<std::string, int, NoCaseLess> openCounts;
    bool failListing = false;
    std::set<HANDLE> handles;
};

FakeState& State()
{
    static FakeState state;
    return state;
}

BOOL WINAPI FakeEnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed,
                              LPDWORD returned)
{
    FakeState& s = State();
    if (s.failListing && buffer) {
        *returned = 0;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    BOOL ok = s.realEnum(flags, name, level, buffer, size, needed, returned);
    if (ok && buffer && level == 2) {
        auto* records = reinterpret_cast<PRINTER_INFO_2A*>(buffer);
        for (DWORD i = 0; i < *returned; ++i) {
            if (records[i].pPrinterName && s.serverUnknown.count(records[i].pPrinterName))
                records[i].Status |= PRINTER_STATUS_SERVER_UNKNOWN;
        }
    }
    return ok;
}

BOOL WINAPI FakeOpenPrinterA(LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults)
{
    FakeState& s = State();
    if (name) {
        ++s.openCounts[name];
        if (s.refused.count(name)) {
            if (printer)
                *printer = nullptr;
            SetLastError(ERROR_ACCESS_DENIED);
            return FALSE;
        }
    }
    BOOL ok = s.realOpen(name, printer, defaults);
    if (ok && printer)
        s.handles.insert(*printer);
    return ok;
}

BOOL WINAPI FakeClosePrinter(HANDLE printer)
{
    FakeState& s = State();
    s.handles.erase(printer);
    return s.realClose(printer);
}

} // namespace

SpoolerFakes::SpoolerFakes() : m_enum(&FakeEnumPrintersA), m_open(&FakeOpenPrinterA), m_close(&FakeClosePrinter)
{
    FakeState& s = State();
    if (s.active)
        std::abort(); // two objects would share and then clear one state
    s = FakeState();
    s.active = true;
    s.realEnum = m_enum.saved();
    s.realOpen = m_open.saved();
    s.realClose = m_close.saved();
}

SpoolerFakes::~SpoolerFakes()
{
    State() = FakeState();
}

void SpoolerFakes::RefuseOpen(const std::string& printer)
{
    State().refused.insert(printer);
}

void SpoolerFakes::MarkServerUnknown(const std::string& printer)
{
    State().serverUnknown.insert(printer);
}

void SpoolerFakes::FailListing()
{
    State().failListing = true;
}

int SpoolerFakes::OpenCount(const std::string& printer) const
{
    const auto& counts = State().openCounts;
    auto it = counts.find(printer);
    return it == counts.end() ? 0 : it->second;
}

int SpoolerFakes::OpenHandles() const
{
    return static_cast<int>(State().handles.size());
}
