#include "printers/PrinterHandle.h"

#include "classlib/Win32Api.h"

CPrinterHandle& CPrinterHandle::operator=(CPrinterHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        m_hPrinter = other.Detach();
    }
    return *this;
}

bool CPrinterHandle::Open(const char* printerName, ACCESS_MASK access)
{
    Close();
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, access};
    HANDLE h = nullptr;
    // OpenPrinterA takes a non-const name but does not write to it.
    if (!Win32().OpenPrinterA(const_cast<char*>(printerName), &h, &defaults))
        return false;
    m_hPrinter = h;
    return true;
}

void CPrinterHandle::Close()
{
    if (m_hPrinter) {
        Win32().ClosePrinter(m_hPrinter);
        m_hPrinter = nullptr;
    }
}

HANDLE CPrinterHandle::Detach()
{
    HANDLE h = m_hPrinter;
    m_hPrinter = nullptr;
    return h;
}
