// A snapshot of the printers the spooler knows for the current user (local
// printers and printer connections), read once as level-2 records. The list
// never sorts or filters the records, so index i is the spooler's i-th
// printer until the next Enumerate; the records and their strings belong to
// the list and live until the next Enumerate, FreeBuffer or the list's end.
#pragma once

#include "printers/PrinterFilter.h" // every user of the list also filters by driver

#include <windows.h>
#include <winspool.h>

class CPrnInfoList {
public:
    CPrnInfoList() = default;
    virtual ~CPrnInfoList();
    CPrnInfoList(const CPrnInfoList&) = delete;
    CPrnInfoList& operator=(const CPrnInfoList&) = delete;

    // Replaces the contents with a fresh snapshot; the number of records, or
    // 0 when the spooler could not be read (the list is then empty). Every
    // record and string pointer handed out before becomes invalid.
    unsigned Enumerate();

    // The system's reason why the last Enumerate could not read the
    // spooler; 0 when it could (also with no printer at all).
    DWORD Error() const { return m_error; }

    // The index-th record, or null when the index is not below the count.
    const PRINTER_INFO_2A* GetItem(unsigned index) const;

    // Frees the records and empties the list.
    void FreeBuffer();

private:
    DWORD m_nCount = 0;                 // records in m_pInfo; 0 while it is null
    DWORD m_error = 0;                  // why the last Enumerate failed
    PRINTER_INFO_2A* m_pInfo = nullptr; // fixed global block: the records, then their strings
};
