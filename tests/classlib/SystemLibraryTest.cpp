// System DLLs loaded by their full path in the system directory, and the
// functions taken from winspool.drv and comdlg32.dll at run time: all of a
// DLL's or, where the DLL or one function is missing, none (no printer is
// listed, a dialog acts as cancelled).
#include "classlib/SystemLibrary.h"

#include "classlib/SystemFunctions.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(SystemLibrary, PathIsTheFileInTheSystemDirectory)
{
    const std::string so = Cp932(u8"C:\\ソ"); // ends in the trail byte 0x5C
    ASSERT_EQ('\\', so.back());
    const struct {
        std::string dir; // what the system reports; "<fail>" for a failed call
        std::string path;
    } cases[] = {
        {"C:\\WINDOWS\\system32", "C:\\WINDOWS\\system32\\winspool.drv"},
        {"C:\\", "C:\\winspool.drv"},
        {so, so + "\\winspool.drv"},
        {"<fail>", ""},
        {"C:\\" + std::string(MAX_PATH, 'd'), ""}, // longer than the buffer
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

// Every entry of the binding fails with ERROR_PROC_NOT_FOUND (the printer
// list is then empty, a dialog acts as cancelled).
::testing::AssertionResult AllMissing(const SpoolerFunctions& f)
{
    DWORD needed = 0, returned = 0;
    HANDLE h = nullptr;
    BYTE block[64] = {};
    SetLastError(0);
    const bool any = f.EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, block, sizeof block, &needed, &returned) ||
                     f.OpenPrinterA(const_cast<char*>("Plotter 3F"), &h, nullptr) || f.ClosePrinter(h) ||
                     f.GetPrinterA(h, 2, nullptr, 0, &needed) || f.SetPrinterA(h, 2, nullptr, 0) ||
                     f.GetPrinterDriverA(h, nullptr, 2, nullptr, 0, &needed);
    if (any || returned != 0 || GetLastError() != ERROR_PROC_NOT_FOUND)
        return ::testing::AssertionFailure() << "a spooler entry answered (error " << GetLastError() << ")";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult AllMissing(const CommonDialogFunctions& f)
{
    OPENFILENAMEA open = {};
    open.lStructSize = sizeof(open);
    PRINTDLGA print = {};
    print.lStructSize = sizeof(print);
    print.Flags = PD_RETURNDEFAULT;
    SetLastError(0);
    if (f.GetOpenFileNameA(&open) || f.PrintDlgA(&print) || GetLastError() != ERROR_PROC_NOT_FOUND)
        return ::testing::AssertionFailure() << "a dialog entry answered (error " << GetLastError() << ")";
    return ::testing::AssertionSuccess();
}

// The real bindings serve every test of the spooler and the dialogs through
// the seam; here the DLL is missing, lacks the functions, or lacks one.
TEST(SystemFunctions, OneMissingFunctionMakesEveryEntryFail)
{
    HMODULE spooler = LoadLibraryExA(SystemDirectoryFile("winspool.drv").c_str(), nullptr, 0);
    HMODULE dialogs = LoadLibraryExA(SystemDirectoryFile("comdlg32.dll").c_str(), nullptr, 0);
    ASSERT_TRUE(spooler && dialogs);
    EXPECT_TRUE(AllMissing(BindSpooler(nullptr)));
    EXPECT_TRUE(AllMissing(BindSpooler(GetModuleHandleA("kernel32.dll"))));
    EXPECT_TRUE(AllMissing(BindCommonDialogs(nullptr)));
    for (const char* gone : {"EnumPrintersA", "OpenPrinterA", "ClosePrinter", "GetPrinterA", "SetPrinterA",
                             "GetPrinterDriverA", "GetOpenFileNameA", "PrintDlgA"}) {
        SCOPED_TRACE(gone);
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([gone](HMODULE module, LPCSTR name) {
            return std::strcmp(name, gone) == 0 ? nullptr : ::GetProcAddress(module, name);
        });
        if (std::strstr(gone, "Printer"))
            EXPECT_TRUE(AllMissing(BindSpooler(spooler, Win32().GetProcAddress)));
        else
            EXPECT_TRUE(AllMissing(BindCommonDialogs(dialogs, Win32().GetProcAddress)));
    }
    FreeLibrary(spooler);
    FreeLibrary(dialogs);
}

} // namespace
