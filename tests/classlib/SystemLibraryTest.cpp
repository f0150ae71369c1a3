// System DLLs loaded by their full path in the system directory, and the
// functions taken from winspool.drv and comdlg32.dll at run time: all of a
// DLL's or, where the DLL or one function is missing, none (no printer is
// listed, a dialog acts as cancelled).
#include "classlib/SystemFunctions.h"
#include "classlib/SystemLibrary.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(SystemLibrary, PathIsTheFileInTheSystemDirectory)
{
    const std::string so = Cp932(u8"C:\\ソ");  // ends in the trail byte 0x5C
    ASSERT_EQ('\\', so.back());
    const struct {
        std::string dir;  // what the system reports; "<fail>" for a failed call
        std::string path;
    } cases[] = {
        {"C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32\\winspool.drv"},
        {"C:\\", "C:\\winspool.drv"},
        {so, so + "\\winspool.drv"},
        {"<fail>", ""},
        {"C:\\" + std::string(MAX_PATH, 'd'), ""},  // longer than the buffer
    };
    for (const auto& c : cases) {
        ScopedApiOverride<&Win32Api::GetSystemDirectoryA> dir([&](LPSTR buffer, UINT size) -> UINT {
            if (c.dir == "<fail>")
                return 0;
            if (c.dir.size() >= size)
                return static_cast<UINT>(c.dir.size() + 1);
            lstrcpyA(buffer, c.dir.c_str());
            return static_cast<UINT>(c.dir.size());
        });
        EXPECT_EQ(c.path, SystemFilePath("winspool.drv")) << c.dir;
    }
}

TEST(SystemLibrary, LoadNamesTheFullPathAndSearchesTheDependenciesThere)
{
    std::vector<std::string> paths;
    std::vector<DWORD> flags;
    ScopedApiOverride<&Win32Api::LoadLibraryExA> load([&](LPCSTR path, HANDLE file, DWORD how) {
        paths.push_back(path);
        flags.push_back(how);
        return ::LoadLibraryExA(path, file, how);
    });
    HMODULE module = LoadSystemLibrary("userenv.dll");
    EXPECT_NE(nullptr, module);
    FreeLibrary(module);
    EXPECT_EQ(std::vector<std::string>{SystemDirectoryFile("userenv.dll")}, paths);
    EXPECT_EQ(std::vector<DWORD>{LOAD_WITH_ALTERED_SEARCH_PATH}, flags);

    // Without a system directory nothing is loaded at all.
    ScopedApiOverride<&Win32Api::GetSystemDirectoryA> none([](LPSTR, UINT) -> UINT { return 0; });
    EXPECT_EQ(nullptr, LoadSystemLibrary("userenv.dll"));
    EXPECT_EQ(DWORD(ERROR_MOD_NOT_FOUND), GetLastError());
    EXPECT_EQ(1u, paths.size());
}

// What the program sees of the spooler through a binding: the printers
// EnumPrintersA lists, or the error it fails with.
struct Listing {
    std::vector<std::string> printers;
    DWORD error = 0;
};

Listing List(const SpoolerFunctions& spooler)
{
    Listing listing;
    DWORD needed = 0, returned = 0;
    spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &returned);
    std::vector<BYTE> block(needed + 1);
    if (!spooler.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block.data(), needed, &needed, &returned)) {
        listing.error = GetLastError();
        return listing;
    }
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(block.data());
    for (DWORD i = 0; i < returned; ++i)
        listing.printers.push_back(info[i].pPrinterName);
    return listing;
}

TEST(SystemFunctions, AllSixFromTheSystemsSpoolerOrNone)
{
    DeleteAllPrinters();
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    HMODULE spooler = LoadLibraryExA(SystemDirectoryFile("winspool.drv").c_str(), nullptr, 0);
    ASSERT_NE(nullptr, spooler);

    // The process's own binding and one of the module: the real spooler.
    EXPECT_EQ(std::vector<std::string>{"Plotter 3F"}, List(ProcessSpooler()).printers);
    EXPECT_EQ(std::vector<std::string>{"Plotter 3F"}, List(BindSpooler(spooler)).printers);
    HANDLE printer = nullptr;
    ASSERT_TRUE(BindSpooler(spooler).OpenPrinterA(const_cast<char*>("Plotter 3F"), &printer, nullptr));
    EXPECT_TRUE(BindSpooler(spooler).ClosePrinter(printer));

    // No DLL, a DLL without the functions, and the spooler with one function
    // missing: every entry fails, and no printer is listed.
    const char* const functions[] = {"EnumPrintersA", "OpenPrinterA", "ClosePrinter",
                                     "GetPrinterA",   "SetPrinterA",  "GetPrinterDriverA"};
    std::vector<SpoolerFunctions> missing = {BindSpooler(nullptr), BindSpooler(GetModuleHandleA("kernel32.dll"))};
    for (const char* gone : functions) {
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([gone](HMODULE module, LPCSTR name) {
            return std::strcmp(name, gone) == 0 ? nullptr : ::GetProcAddress(module, name);
        });
        missing.push_back(BindSpooler(spooler, Win32().GetProcAddress));
    }
    for (size_t i = 0; i < missing.size(); ++i) {
        SCOPED_TRACE(i < 2 ? "no spooler" : functions[i - 2]);
        const SpoolerFunctions& f = missing[i];
        const Listing listing = List(f);
        EXPECT_TRUE(listing.printers.empty());
        EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), listing.error);
        DWORD needed = 0;
        HANDLE h = nullptr;
        SetLastError(0);
        EXPECT_FALSE(f.OpenPrinterA(const_cast<char*>("Plotter 3F"), &h, nullptr));
        EXPECT_FALSE(f.ClosePrinter(h));
        EXPECT_FALSE(f.GetPrinterA(h, 2, nullptr, 0, &needed));
        EXPECT_FALSE(f.SetPrinterA(h, 2, nullptr, 0));
        EXPECT_FALSE(f.GetPrinterDriverA(h, nullptr, 2, nullptr, 0, &needed));
        EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
    }
    FreeLibrary(spooler);
}

TEST(SystemFunctions, BothCommonDialogsOrNone)
{
    HMODULE dialogs = LoadLibraryExA(SystemDirectoryFile("comdlg32.dll").c_str(), nullptr, 0);
    ASSERT_NE(nullptr, dialogs);
    const auto address = [](auto entry) { return reinterpret_cast<void*>(entry); };
    for (const CommonDialogFunctions& real : {BindCommonDialogs(dialogs), ProcessCommonDialogs()}) {
        EXPECT_EQ(address(GetProcAddress(dialogs, "GetOpenFileNameA")), address(real.GetOpenFileNameA));
        EXPECT_EQ(address(GetProcAddress(dialogs, "PrintDlgA")), address(real.PrintDlgA));
    }

    std::vector<CommonDialogFunctions> missing = {BindCommonDialogs(nullptr)};
    {
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([](HMODULE module, LPCSTR name) {
            return std::strcmp(name, "PrintDlgA") == 0 ? nullptr : ::GetProcAddress(module, name);
        });
        missing.push_back(BindCommonDialogs(dialogs, Win32().GetProcAddress));
    }
    for (const CommonDialogFunctions& f : missing) {
        OPENFILENAMEA open = {};
        open.lStructSize = sizeof(open);
        PRINTDLGA print = {};
        print.lStructSize = sizeof(print);
        print.Flags = PD_RETURNDEFAULT;
        SetLastError(0);
        EXPECT_FALSE(f.GetOpenFileNameA(&open));
        EXPECT_FALSE(f.PrintDlgA(&print));
        EXPECT_EQ(DWORD(ERROR_PROC_NOT_FOUND), GetLastError());
    }
    FreeLibrary(dialogs);
}

} // namespace
