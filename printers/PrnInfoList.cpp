#include "printers/PrnInfoList.h"

#include "classlib/Win32Api.h"
#include "printers/PrinterFilter.h"

namespace {

// Local printers and the current user's printer connections.
const DWORD kEnumFlags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
const DWORD kLevel = 2;
// How often the fill is tried when printers keep being added meanwhile.
const int kFillAttempts = 4;

} // namespace

CPrnInfoList::~CPrnInfoList()
{
    FreeBuffer();
}

unsigned CPrnInfoList::Enumerate()
{
    FreeBuffer();

    // The first call only reports the size the records and their strings
    // need; it "fails" with ERROR_INSUFFICIENT_BUFFER whenever there is a
    // printer, so its result says nothing. With no printer the size stays 0
    // and the block below is empty.
    DWORD needed = 0;
    DWORD returned = 0;
    m_error = 0;
    if (!Win32().EnumPrintersA(kEnumFlags, nullptr, kLevel, nullptr, 0, &needed, &returned)) {
        // A spooler that is stopped or does not answer is no empty list.
        const DWORD error = GetLastError();
        if (error != ERROR_INSUFFICIENT_BUFFER) {
            m_error = error ? error : ERROR_GEN_FAILURE;
            return 0;
        }
    }

    // A printer added between the size query and the fill makes the block
    // too small; the fill then says how much it needs now, and is tried
    // again with that, a few times, before the list is given up as empty.
    HGLOBAL block = nullptr;
    for (int attempt = 0; attempt < kFillAttempts; ++attempt) {
        // GMEM_FIXED: the handle is the block's address.
        block = Win32().GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, needed);
        if (!block) {
            m_error = ERROR_NOT_ENOUGH_MEMORY;
            return 0;
        }
        returned = 0;
        if (Win32().EnumPrintersA(kEnumFlags, nullptr, kLevel, static_cast<BYTE*>(block), needed, &needed, &returned))
            break;
        const DWORD error = GetLastError();
        GlobalFree(block);
        block = nullptr;
        if (error != ERROR_INSUFFICIENT_BUFFER) {
            m_error = error ? error : ERROR_GEN_FAILURE;
            return 0;
        }
    }
    if (!block) {
        m_error = ERROR_INSUFFICIENT_BUFFER;
        return 0;
    }

    m_pInfo = static_cast<PRINTER_INFO_2A*>(block);
    m_nCount = returned;
    return m_nCount;
}

const PRINTER_INFO_2A* CPrnInfoList::GetItem(unsigned index) const
{
    if (!m_pInfo || index >= m_nCount)
        return nullptr;
    return m_pInfo + index;
}

void CPrnInfoList::FreeBuffer()
{
    if (m_pInfo) {
        GlobalFree(m_pInfo);
        m_pInfo = nullptr;
    }
    m_nCount = 0;
}
