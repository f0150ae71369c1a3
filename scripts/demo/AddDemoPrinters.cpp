// Adds the demo's sample printers to the Wine prefix it runs in, through the
// spooler API as an installer would: two of the supported drivers, one shared,
// and one of another maker's driver that the tool must leave out.
#include <windows.h>
#include <winspool.h>
#include <stdio.h>
#include <string>

namespace {

bool AddDemoDriver(const char* name)
{
    char dir[MAX_PATH] = {};
    DWORD needed = 0;
    if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(dir), sizeof(dir), &needed))
        return false;
    std::string file = std::string(dir) + "\\plota2.dll";
    HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DRIVER_INFO_3A info = {};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name);
    info.pDriverPath = const_cast<char*>("plota2.dll");
    info.pDataFile = const_cast<char*>("plota2.dll");
    info.pConfigFile = const_cast<char*>("plota2.dll");
    return AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)) != FALSE;
}

bool AddDemoPrinter(const char* name, const char* driver, const char* port, DWORD attributes)
{
    PRINTER_INFO_2A info = {};
    info.pPrinterName = const_cast<char*>(name);
    info.pPortName = const_cast<char*>(port);
    info.pDriverName = const_cast<char*>(driver);
    info.pPrintProcessor = const_cast<char*>("WinPrint");
    info.pDatatype = const_cast<char*>("RAW");
    info.Attributes = attributes;
    HANDLE h = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!h) return false;
    ClosePrinter(h);
    return true;
}

} // namespace

int main()
{
    bool ok = AddDemoDriver("KESTRO PLOTARA") && AddDemoDriver("KESTRO PLOTARA Color Printer") &&
              AddDemoDriver("Generic Laser 5");
    ok = ok && AddDemoPrinter("Plotter 3F", "KESTRO PLOTARA", "LPT1:", 0);
    ok = ok && AddDemoPrinter("plotter annex", "KESTRO PLOTARA", "FILE:", 0);
    ok = ok && AddDemoPrinter("Color Plotter 2F", "KESTRO PLOTARA Color Printer", "FILE:", 0);
    ok = ok && AddDemoPrinter("Shared Plotter", "KESTRO PLOTARA Color Printer", "LPT1:", PRINTER_ATTRIBUTE_SHARED);
    ok = ok && AddDemoPrinter("Office Laser", "Generic Laser 5", "LPT1:", 0);
    ok = ok && SetDefaultPrinterA("Color Plotter 2F");
    printf(ok ? "demo printers added\n" : "adding the demo printers failed\n");
    return ok ? 0 : 1;
}
