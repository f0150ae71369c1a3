#include "install/ProfileTargets.h"

#include "platform/OsClass.h"
#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "printers/PrinterHandle.h"

std::string GetDriverDirectory(const std::string& printer)
{
    CPrinterHandle handle = OpenPrinterHandle(printer.c_str(), PRINTER_ALL_ACCESS);
    if (!handle.IsValid())
        return std::string();

    DWORD needed = 0;
    Win32().GetPrinterDriverA(handle.Get(), nullptr, 2, nullptr, 0, &needed);
    if (needed == 0)
        return std::string();
    CGlobalMemory buffer(Win32().GlobalAlloc(GPTR, needed));
    if (!buffer.IsValid())
        return std::string();
    BYTE* record = static_cast<BYTE*>(buffer.Get());
    if (!Win32().GetPrinterDriverA(handle.Get(), nullptr, 2, record, needed, &needed))
        return std::string();

    const char* driverPath = reinterpret_cast<DRIVER_INFO_2A*>(record)->pDriverPath;
    if (!driverPath)
        return std::string();
    std::string path = driverPath;
    size_t slash = FindLastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void GetTargetPaths(const std::string& printer, const std::string& source,
                    std::string& systemTarget, std::string& driverTarget)
{
    OsClass os = GetOsClass();
    char systemDir[MAX_PATH + 1] = {};
    Win32().GetSystemDirectoryA(systemDir, MAX_PATH);
    systemTarget = std::string(systemDir) + "\\";
    driverTarget.clear();
    if (os != OsWin9x)
        driverTarget = GetDriverDirectory(printer);

    const std::string name = FileNamePart(source);
    systemTarget += name;
    if (!driverTarget.empty())
        driverTarget += name;
}
