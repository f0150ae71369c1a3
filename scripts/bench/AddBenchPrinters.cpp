// Gives the Wine prefix it runs in the benchmark's printers: exactly N of the
// two supported drivers and N/2 of another maker's driver, adding what is
// missing and deleting benchmark printers beyond those counts, so that one
// prefix can go from one size to the next. PLOTA2.INI in the system directory
// is written anew with a recorded set for four of every five supported
// printers (the fifth shows the default text). The middle supported printer
// becomes the default printer.
//
//   kpx_bench_printers N
//
// Supported printers are "Plotter 0001", "color plotter 0002", ... (odd
// numbers "KESTRO PLOTARA", even ones the colour driver; two spellings so
// that the list's sort without regard to case has work to do); the others
// are "Office Laser 0001", ... Ports cycle through FILE:, LPT1:, LPT2:, COM1:.
#include "scripts/bench/BenchHandles.h"
#include "scripts/demo/SpoolerSetup.h"

#include <windows.h>
#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

const char kDriver[] = "KESTRO PLOTARA";
const char kColorDriver[] = "KESTRO PLOTARA Color Printer";
const char kOtherDriver[] = "Generic Laser 5";
const char* const kPorts[] = {"FILE:", "LPT1:", "LPT2:", "COM1:"};

std::string SupportedName(int i)
{
    char name[64];
    snprintf(name, sizeof name, i % 2 ? "Plotter %04d" : "color plotter %04d", i);
    return name;
}

std::string OtherName(int i)
{
    char name[64];
    snprintf(name, sizeof name, "Office Laser %04d", i);
    return name;
}

// The printer names the spooler lists now.
std::set<std::string> ExistingPrinters()
{
    std::set<std::string> names;
    DWORD needed = 0, returned = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &returned);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, buffer.data(), needed, &needed, &returned))
        return names;
    const PRINTER_INFO_4A* records = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < returned; ++i)
        names.insert(records[i].pPrinterName);
    return names;
}

bool DeleteBenchPrinter(const std::string& name)
{
    PRINTER_DEFAULTSA defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name.c_str()), &h, &defaults))
        return false;
    CBenchPrinter printer(h);
    return DeletePrinter(printer.Get()) != FALSE;
}

// True for a name this program gives, with its number in *number.
bool IsBenchName(const std::string& name, bool* supported, int* number)
{
    int n = 0;
    char rest = 0;
    if (sscanf(name.c_str(), "Office Laser %d%c", &n, &rest) == 1 && name == OtherName(n)) {
        *supported = false;
        *number = n;
        return true;
    }
    if ((sscanf(name.c_str(), "Plotter %d%c", &n, &rest) == 1 ||
         sscanf(name.c_str(), "color plotter %d%c", &n, &rest) == 1) &&
        name == SupportedName(n)) {
        *supported = true;
        *number = n;
        return true;
    }
    return false;
}

bool WriteDriverIni(int count)
{
    static const char* const sets[] = {"Office", "Poster", "\x8E\xCA\x90\x5E Photo"}; // 写真 Photo
    std::string text;
    for (int i = 1; i <= count; ++i) {
        if (i % 5 == 0)
            continue;
        text += "[" + SupportedName(i) + "]\r\nColorProfileSetName=" + sets[i % 3] +
                "\r\nAuto=auto.kpx\r\nVividness=vivid.kpx\r\nTone=tone.kpx\r\nFont=font.kpx\r\n";
    }
    char dir[MAX_PATH] = {};
    GetSystemDirectoryA(dir, MAX_PATH);
    const std::string path = std::string(dir) + "\\PLOTA2.INI";
    // The system's cached copy must not outlive the file it was read from.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    CBenchFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file.IsValid())
        return false;
    DWORD written = 0;
    return WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: kpx_bench_printers N\n");
        return 2;
    }
    const int supported = atoi(argv[1]);
    const int others = supported / 2;
    if (!AddStandInDriver(kDriver) || !AddStandInDriver(kColorDriver) || !AddStandInDriver(kOtherDriver)) {
        fprintf(stderr, "the drivers could not be added\n");
        return 1;
    }

    std::set<std::string> existing = ExistingPrinters();
    // Benchmark printers beyond the counts go first.
    int deleted = 0;
    for (const std::string& name : existing) {
        bool isSupported = false;
        int number = 0;
        if (IsBenchName(name, &isSupported, &number) && number > (isSupported ? supported : others)) {
            if (!DeleteBenchPrinter(name)) {
                fprintf(stderr, "could not delete %s\n", name.c_str());
                return 1;
            }
            ++deleted;
        }
    }

    std::vector<std::pair<std::string, const char*>> missing;
    for (int i = 1; i <= supported; ++i)
        if (!existing.count(SupportedName(i)))
            missing.emplace_back(SupportedName(i), i % 2 ? kDriver : kColorDriver);
    for (int i = 1; i <= others; ++i)
        if (!existing.count(OtherName(i)))
            missing.emplace_back(OtherName(i), kOtherDriver);

    int added = 0;
    for (const auto& printer : missing) {
        if (!AddLocalPrinter(printer.first, printer.second, kPorts[added % 4])) {
            fprintf(stderr, "could not add %s (error %lu)\n", printer.first.c_str(), GetLastError());
            return 1;
        }
        if (++added % 100 == 0) {
            printf("  %d of %zu printers added\n", added, missing.size());
            fflush(stdout);
        }
    }

    if (!WriteDriverIni(supported)) {
        fprintf(stderr, "PLOTA2.INI could not be written\n");
        return 1;
    }
    const int middle = supported / 2 | 1;
    if (supported > 0 && !SetDefaultPrinterA(SupportedName(middle).c_str())) {
        fprintf(stderr, "the default printer could not be set\n");
        return 1;
    }
    printf("printers: %d supported, %d others (%d added, %d deleted); default %s\n", supported, others, added, deleted,
           supported > 0 ? SupportedName(middle).c_str() : "-");
    return 0;
}
