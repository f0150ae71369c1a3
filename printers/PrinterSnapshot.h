// One enumeration of the spooler's printers together with the printers the
// tool lists from it: the usable printers of a supported driver, in the
// spooler's order. A record's driver name is compared first, and only a
// printer of a supported driver is opened, once, the first time the snapshot
// is asked about it; the answer holds until the next Take. Start-up's check
// (is there such a printer at all?) and the main dialog's list thus share one
// enumeration and one usability check per printer. A printer that appears or
// goes away in between is seen by the next Take, as by the next enumeration.
#pragma once

#include "classlib/Handle.h"
#include "printers/PrnInfoList.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A listed printer as the spooler's record gives it.
struct PrinterRow {
    std::string name;
    std::string driver;
    std::string port;
};

class CPrinterSnapshot {
public:
    CPrinterSnapshot();
    ~CPrinterSnapshot();
    CPrinterSnapshot(const CPrinterSnapshot&) = delete;
    CPrinterSnapshot& operator=(const CPrinterSnapshot&) = delete;

    // Enumerates anew (CPrnInfoList::Enumerate) and forgets every check; the
    // number of records of every driver, 0 when the spooler could not be read.
    unsigned Take();
    // True once Take has run on this snapshot.
    bool IsTaken() const { return m_taken; }
    // The records of every driver.
    unsigned Count() const { return m_count; }
    // The enumeration itself. Its name accessors still ask the live spooler.
    const CPrnInfoList& List() const { return *m_list; }

    // The system's reason why the spooler could not be read (0: it could).
    DWORD EnumerationError() const;

    // True when a record is listed; checks records only up to the first one.
    bool AnyListed();
    // The indexes of the listed records, in the spooler's order, after
    // checking every record not checked yet. Each listed record has a
    // printer name (a usable printer has one).
    const std::vector<unsigned>& Listed();

    // The printers of a supported driver that are not listed because they
    // cannot be opened for administration, after checking every record.
    std::vector<std::string> UnusableNames();

    // The listed printers as plain rows, in the spooler's order.
    std::vector<PrinterRow> ListedRows();
    // True when a record of any driver, usable or not, bears the name,
    // compared without regard to case as the spooler compares printer names.
    // Read from the records: no printer is opened.
    bool KnowsName(const std::string& name) const;

    // Exchanges the contents, checks included, with another snapshot.
    void Swap(CPrinterSnapshot& other) noexcept;

    // From the next Take on, the handle each check opens stays open until the
    // snapshot is taken again or destroyed, so that a run that writes right
    // after listing opens each printer once. Only for a run that ends soon
    // after: a held handle keeps a printer another administrator deletes
    // pending until it is closed.
    void KeepHandles() { m_keepHandles = true; }
    // The handle the check of a listed printer opened, by the name the
    // spooler spells it; null when none is kept.
    HANDLE KeptHandle(const std::string& printer) const;

private:
    // Checks the next record not checked yet; false when none is left.
    bool CheckNext();
    // IsSupportedDriver, asked once for each distinct driver name.
    bool IsSupported(const char* driverName);

    std::unique_ptr<CPrnInfoList> m_list;
    bool m_taken = false;
    unsigned m_count = 0;                                // records in m_list
    unsigned m_checked = 0;                              // records checked so far, from the first
    std::vector<unsigned> m_listed;                      // the checked records that are listed
    std::vector<unsigned> m_unusable;                    // checked, of a supported driver, not usable
    std::vector<std::pair<std::string, bool>> m_drivers; // the answers for driver names seen
    bool m_keepHandles = false;
    std::map<std::string, CPrinterHandle> m_handles; // with m_keepHandles, by printer name
};
