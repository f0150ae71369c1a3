// Drivers and printers added through the spooler as an installer adds them:
// shared by the demo's and the benchmark's printer-adding programs.
#pragma once

#include "scripts/bench/BenchHandles.h"

#include <windows.h>
#include <winspool.h>

#include <string>

// A version-3 driver of that name whose files are one empty stand-in
// (plota2.dll in the driver directory), which the spooler wants to see.
inline bool AddStandInDriver(const char* name)
{
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed))
        return false;
    const std::string file = std::string(dir) + "\\plota2.dll";
    CBenchFile standIn(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name);
    info.pDriverPath = const_cast<char*>("plota2.dll");
    info.pDataFile = const_cast<char*>("plota2.dll");
    info.pConfigFile = const_cast<char*>("plota2.dll");
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != FALSE;
}

// A local printer of that driver on that port.
inline bool AddLocalPrinter(const std::string& name, const char* driver, const char* port, DWORD attributes = 0)
{
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name.c_str());
    info.pPortName = const_cast<char*>(port);
    info.pDriverName = const_cast<char*>(driver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = attributes;
    CBenchPrinter printer(AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info)));
    return printer.IsValid();
}
