// The printers of a whole start-up, driven in this process up to the main
// dialog: one enumeration serves the start-up check and the list, each
// printer is checked once for both, and one read session of PLOTA2.INI
// serves every row.
#include "app/KPXSetupApp.h"
#include "res/resource.h"
#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>

namespace {

TEST(StartupPrinters, OneEnumerationAndOneCheckEachServeTheStartupCheckAndTheList)
{
    DeleteAllPrinters();
    TempDir dir{"startup-printers"};
    ASSERT_TRUE(WriteFileBytes(dir.file("KPXSETUP.INI"), "[x]\r\n"));
    const std::string module = dir.file("KPXSETUP.EXE");
    ScopedApiOverride<&Win32Api::GetModuleFileNameA> inDir([&](HMODULE, LPSTR buffer, DWORD size) {
        lstrcpynA(buffer, module.c_str(), static_cast<int>(size));
        return static_cast<DWORD>(lstrlenA(buffer));
    });
    const std::string driverIni = CDriverINI().GetIniPath();
    ASSERT_TRUE(WriteFileBytes(driverIni, "[Plotter 3F]\r\nColorProfileSetName=Poster\r\n"));
    TestPrinter first("Plotter 3F", kDriver), second("Plotter 4F", kColorDriver), laser("Office Laser", kOtherDriver);
    ASSERT_TRUE(first.added() && second.added() && laser.added());
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter 4F"));

    int listings = 0, driverIniOpens = 0;
    std::map<std::string, int> opens;
    ScopedApiOverride<&Win32Api::EnumPrintersA> countListings(
        [&](DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD size, LPDWORD needed, LPDWORD returned) {
            ++listings;
            return ::EnumPrintersA(flags, name, level, buffer, size, needed, returned);
        });
    ScopedApiOverride<&Win32Api::OpenPrinterA> countOpens(
        [&](LPSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSA defaults) {
            ++opens[name ? name : ""];
            return ::OpenPrinterA(name, printer, defaults);
        });
    ScopedApiOverride<&Win32Api::CreateFileA> countDriverIni([&](LPCSTR name, DWORD access, DWORD share,
                                                                 LPSECURITY_ATTRIBUTES sa, DWORD creation, DWORD flags,
                                                                 HANDLE copy) {
        driverIniOpens += name && lstrcmpiA(name, driverIni.c_str()) == 0;
        return ::CreateFileA(name, access, share, sa, creation, flags, copy);
    });
    std::atomic<LRESULT> rows{-1};
    DialogDriver closer({DialogStep{LoadResString(IDS_APP_TITLE), [&](HWND dlg) {
                                        rows = SendMessageA(GetDlgItem(dlg, IDC_PRINTER_LIST), LVM_GETITEMCOUNT, 0, 0);
                                        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
                                    }}});
    MessageBoxRecorder boxes;
    CKPXSetupApp app;
    app.InitApplication(GetModuleHandleA(nullptr));

    EXPECT_FALSE(app.InitInstance());
    EXPECT_TRUE(closer.FinishAfter(1));
    app.ExitInstance();
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(2, rows.load());
    EXPECT_EQ(2, listings) << "one size query and one fill";
    EXPECT_EQ(1, driverIniOpens) << "the file is measured once for every row";
    // Plotter 3F answered start-up's check; the list checked Plotter 4F. The
    // row that does not start selected is not opened again (no row change
    // while the list fills); the other driver's printer is never opened.
    EXPECT_EQ(1, opens["Plotter 3F"]);
    EXPECT_EQ(0, opens["Office Laser"]);
    DeleteFileA(driverIni.c_str());
}

} // namespace
