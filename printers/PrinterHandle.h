// Owns one printer handle of the spooler and closes it on every path.
// Uncopyable; ownership moves, or leaves with Detach.
#pragma once

#include <windows.h>

class CPrinterHandle {
public:
    CPrinterHandle() = default;
    ~CPrinterHandle() { Close(); }
    CPrinterHandle(const CPrinterHandle&) = delete;
    CPrinterHandle& operator=(const CPrinterHandle&) = delete;
    CPrinterHandle(CPrinterHandle&& other) noexcept : m_hPrinter(other.Detach()) {}
    CPrinterHandle& operator=(CPrinterHandle&& other) noexcept;

    // OpenPrinterA through the platform seam with defaults that name no data
    // type and no device mode and ask for the given access. False when the
    // spooler refuses; GetLastError then tells why. Closes any handle held.
    bool Open(const char* printerName, ACCESS_MASK access);

    void Close();
    HANDLE Detach();
    HANDLE Get() const { return m_hPrinter; }

private:
    HANDLE m_hPrinter = nullptr;
};
