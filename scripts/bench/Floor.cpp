// The benchmark's floor: the work the tool's start-up cannot do without, in a
// plain program without a window. It enumerates the printers once, opens
// each once to see that it is usable (full access, as the tool needs),
// compares its driver name with the two supported ones, reads the recorded
// set of each usable printer of those drivers once from PLOTA2.INI, reads the
// sets of the tool settings file and asks for the default printer.
//
//   kpx_bench_floor TOOL-INI-PATH [--driver-first]
//   KPX_BENCH_REPORT=file   appends "floor listed=N peak_ws=B peak_commit=B"
//
// With --driver-first it compares the driver name before it opens a printer,
// and opens only the printers of the supported drivers, as the tool does: the
// floor of the same spooler work as the tool's.
#include "scripts/bench/BenchHandles.h"
#include "scripts/bench/MemoryReport.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kToolSection[] = "KESTRO PLOTARA Color Profile Setup Tool";

bool IsSupported(const char* driver)
{
    return driver && (lstrcmpA(driver, "KESTRO PLOTARA") == 0 || lstrcmpA(driver, "KESTRO PLOTARA Color Printer") == 0);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string toolIni = argc > 1 ? argv[1] : "KPXSETUP.INI";
    const bool driverFirst = argc > 2 && strcmp(argv[2], "--driver-first") == 0;

    // One enumeration: the size, then the records.
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0, returned = 0;
    EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> records(needed ? needed : 1);
    if (!EnumPrintersA(flags, nullptr, 2, records.data(), needed, &needed, &returned))
        returned = 0;
    const PRINTER_INFO_2A* printers = reinterpret_cast<const PRINTER_INFO_2A*>(records.data());

    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    const std::string driverIni = std::string(dir) + "\\PLOTA2.INI";

    unsigned listed = 0;
    for (DWORD i = 0; i < returned; ++i) {
        const PRINTER_INFO_2A& p = printers[i];
        if (driverFirst && !IsSupported(p.pDriverName))
            continue;
        PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE h = nullptr;
        bool usable = false;
        if (p.pPrinterName && OpenPrinterA(p.pPrinterName, &h, &defaults)) {
            CBenchPrinter opened(h); // closed again at once
            usable = true;
        }
        if (!usable || !IsSupported(p.pDriverName))
            continue;
        char set[260] = {};
        GetPrivateProfileStringA(p.pPrinterName, "ColorProfileSetName", "", set, sizeof set, driverIni.c_str());
        ++listed;
    }

    // The sets the tool offers.
    const int sets = static_cast<int>(GetPrivateProfileIntA(kToolSection, "NumColorProfileSets", 0, toolIni.c_str()));
    for (int i = 0; i < sets; ++i) {
        char key[40], name[260] = {};
        snprintf(key, sizeof key, "ColorProfileSetName%d", i + 1);
        GetPrivateProfileStringA(kToolSection, key, "", name, sizeof name, toolIni.c_str());
    }

    // The default printer, asked as the tool asks.
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (PrintDlgA(&pd)) {
        CGlobalMemory devMode(pd.hDevMode), devNames(pd.hDevNames);
    }

    if (const char* report = getenv("KPX_BENCH_REPORT")) {
        BenchMemory memory = ReadBenchMemory();
        if (FILE* f = fopen(report, "a")) {
            fprintf(f, "floor listed=%u sets=%d peak_ws=%llu peak_commit=%llu\n", listed, sets, memory.peakWorkingSet,
                    memory.peakCommitted);
            fclose(f);
        }
    }
    return 0;
}
