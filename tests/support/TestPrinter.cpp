#include "support/TestPrinter.h"

#include <winspool.h>

#include <vector>

const char* const kDriver = "KESTRO PLOTARA";
const char* const kColorDriver = "KESTRO PLOTARA Color Printer";
const char* const kOtherDriver = "Generic Laser 5";

bool EnsureTestDriver(const std::string& driver, const char* environment)
{
    LPSTR env = const_cast<LPSTR>(environment);
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, env, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed))
        return false;
    std::string file = std::string(dir) + "\\kpxtestdrv.dll";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);

    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(driver.c_str());
    info.pEnvironment = env;
    info.pDriverPath = const_cast<char*>("kpxtestdrv.dll");
    info.pDataFile = const_cast<char*>("kpxtestdrv.dll");
    info.pConfigFile = const_cast<char*>("kpxtestdrv.dll");
    if (!environment)
        return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != FALSE;
    // Another environment's files are copied from its driver directory into
    // its version folder (3) only when asked to.
    return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&info), APD_COPY_NEW_FILES) != FALSE;
}

TestPrinter::TestPrinter(const std::string& name, const std::string& driver, const std::string& port, DWORD attributes)
    : m_name(name)
{
    EnsureTestDriver(driver);
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port.c_str());
    info.pDriverName = const_cast<char*>(driver.c_str());
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = attributes;
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (h) {
        m_added = true;
        ClosePrinter(h);
    }
}

TestPrinter::~TestPrinter()
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (OpenPrinterA(const_cast<char*>(m_name.c_str()), &h, &defaults)) {
        DeletePrinter(h);
        ClosePrinter(h);
    }
}

void DeleteAllPrinters()
{
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed,
                       &count))
        return;
    auto* records = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE h = nullptr;
        if (OpenPrinterA(records[i].pPrinterName, &h, &defaults)) {
            DeletePrinter(h);
            ClosePrinter(h);
        }
    }
}

bool SetDefaultTestPrinter(const std::string& name)
{
    return SetDefaultPrinterA(name.c_str()) != FALSE;
}
