// Start-up of the application object, driven in this process: the checks,
// the single-instance guard and the messages a failed check shows.
#include "app/KPXSetupApp.h"
#include "classlib/Win32Api.h"
#include "classlib/Wnd.h"
#include "res/resource.h"
#include "support/ApiOverride.h"
#include "support/DialogDriver.h"
#include "support/MessageBoxRecorder.h"
#include "support/RunningCopyWindow.h"
#include "support/ScopedModulePath.h"
#include "support/ScopedOsVersion.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/Uncopyable.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

bool MutexExists(const char* name)
{
    HANDLE h = OpenMutexA(SYNCHRONIZE, FALSE, name);
    if (!h)
        return false;
    CloseHandle(h);
    return true;
}

// A mutex this process creates and holds while the object lives, as a
// running copy holds its guard.
class HeldMutex : Uncopyable {
public:
    explicit HeldMutex(const char* name) : m_handle(CreateMutexA(nullptr, TRUE, name)) {}
    ~HeldMutex()
    {
        if (m_handle)
            CloseHandle(m_handle);
    }

    bool held() const { return m_handle != nullptr; }

private:
    HANDLE m_handle;
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        UseModule("KPXSETUP.EXE");
    }

    // Every start that gets past its checks shows the main dialog, which the
    // driver closes; every other start must end before it.
    void TearDown() override { EXPECT_TRUE(m_driver.FinishAfter(m_expectedDialogs)); }

    // Another user's copy holds the machine-wide mutex: opening it is refused.
    void DenyMutex()
    {
        m_denied.emplace([](DWORD, BOOL, LPCSTR) -> HANDLE {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        });
    }

    void UseModule(const std::string& fileName)
    {
        m_module.set(m_dir.file(fileName));
        m_app.InitApplication(GetModuleHandleA(nullptr));
    }

    void WriteIni() { ASSERT_TRUE(WriteFileBytes(m_dir.file("KPXSETUP.INI"), "[x]\r\n")); }

    BOOL Start()
    {
        BOOL result = m_app.InitInstance();
        m_app.ExitInstance();
        return result;
    }

    // Start-up ends without a message.
    ::testing::AssertionResult EndsSilently()
    {
        if (Start())
            return ::testing::AssertionFailure() << "start-up went on";
        if (!m_boxes.boxes().empty())
            return ::testing::AssertionFailure() << "a message said: " << m_boxes.boxes()[0].text;
        return ::testing::AssertionSuccess();
    }

    TempDir m_dir{"startup"};
    ScopedModulePath m_module{std::string()};
    CKPXSetupApp m_app;
    MessageBoxRecorder m_boxes;
    // Runs while the main dialog is up, before the driver presses Close.
    std::function<void(HWND)> m_onShown;
    DialogDriver m_driver{
        {DialogStep{LoadResString(IDS_APP_TITLE),
                    [this](HWND dlg) {
                        if (m_onShown)
                            m_onShown(dlg);
                        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
                    },
                    true, true, [](HWND dlg) { return GetDlgItem(dlg, IDC_PRINTER_LIST) != nullptr; }}}};
    int m_expectedDialogs = 0;
    std::optional<ScopedApiOverride<&Win32Api::OpenMutexA>> m_denied;
};

TEST_F(StartupTest, TitleAndProfileNameComeFromTheStringTableAndTheExecutable)
{
    EXPECT_EQ(m_app.m_strAppName, LoadResString(IDS_APP_TITLE));
    EXPECT_EQ(m_app.m_strProfileName, "KPXSETUP.INI");
    EXPECT_EQ(m_app.m_strHelpFilePath, m_dir.file("KPXSETUP.HLP"));

    m_app.InitModuleDir();
    std::string ini;
    ini = m_app.ToolSettingsFile().Path();
    EXPECT_EQ(ini, m_dir.file("KPXSETUP.INI"));
}

TEST_F(StartupTest, NoPrinterAtAllShowsTheDriverMessageOnly)
{
    // No tool settings file either: the driver check comes first and ends start-up.
    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, LoadResString(IDS_NO_DRIVER));
    EXPECT_EQ(m_boxes.boxes()[0].caption, LoadResString(IDS_APP_TITLE));
    EXPECT_EQ(m_boxes.boxes()[0].type, UINT(MB_OK | MB_ICONERROR));
}

TEST_F(StartupTest, PrintersOfOtherDriversOnlyShowTheDriverMessage)
{
    WriteIni();
    TestPrinter other("Office Laser", kOtherDriver);
    TestPrinter nearMiss("Almost", "KESTRO PLOTARA "); // trailing blank: not supported
    ASSERT_TRUE(other.added() && nearMiss.added());

    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, LoadResString(IDS_NO_DRIVER));
}

TEST_F(StartupTest, SupportedPrinterThatCannotBeOpenedDoesNotCount)
{
    WriteIni();
    TestPrinter plotter("Plotter 3F", kDriver);
    ASSERT_TRUE(plotter.added());
    ScopedApiOverride<&Win32Api::OpenPrinterA> refuse([](LPSTR, LPHANDLE, LPPRINTER_DEFAULTSA) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });

    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, LoadResString(IDS_NO_DRIVER));
}

TEST_F(StartupTest, MissingSettingsFileIsNamedInUpperCase)
{
    TestPrinter plotter("Plotter 3F", kColorDriver);
    ASSERT_TRUE(plotter.added());

    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    const RecordedBox& box = m_boxes.boxes()[0];
    std::string format = LoadResString(IDS_FILE_NOT_FOUND);
    ASSERT_EQ(format.substr(0, 2), "%1");
    EXPECT_EQ(box.text, "KPXSETUP.INI" + format.substr(2));
    EXPECT_EQ(box.caption, LoadResString(IDS_APP_TITLE));
    EXPECT_EQ(box.type, UINT(MB_OK | MB_ICONERROR));
}

TEST_F(StartupTest, RenamedExecutableLooksForItsOwnSettingsFile)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    UseModule("Tool.exe");
    WriteIni(); // KPXSETUP.INI is there, but this executable reads Tool.INI

    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, "TOOL.INI" + LoadResString(IDS_FILE_NOT_FOUND).substr(2));
}

TEST_F(StartupTest, SettingsFileHeldOpenByAnotherProgramCountsAsMissing)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    HANDLE held = CreateFileA(m_dir.file("KPXSETUP.INI").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_FALSE(Start());
    CloseHandle(held);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text.substr(0, 12), "KPXSETUP.INI");
}

TEST_F(StartupTest, AllChecksPassedRunTheMainDialogWhileTheMutexIsHeld)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    struct Seen {
        bool mutexHeld = false;
        bool owner = false;
        LRESULT rows = -1;
        std::string name;
    };
    Seen seen;
    m_onShown = [&](HWND dlg) {
        seen.mutexHeld = MutexExists("Global\\KPXSetupMutex");
        seen.owner = m_app.m_pMainWnd && m_app.m_pMainWnd->m_hWnd == dlg;
        seen.rows = SendMessageA(GetDlgItem(dlg, IDC_PRINTER_LIST), LVM_GETITEMCOUNT, 0, 0);
        char text[64] = {};
        SendMessageA(GetDlgItem(dlg, IDC_PRINTER_NAME), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
        seen.name = text;
    };

    // InitInstance returns once the dialog is closed.
    EXPECT_FALSE(m_app.InitInstance());
    EXPECT_EQ(m_driver.Done(), 1);
    EXPECT_TRUE(seen.mutexHeld);
    EXPECT_TRUE(seen.owner);
    EXPECT_EQ(seen.rows, 1);
    EXPECT_EQ(seen.name, "Plotter 3F");
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_TRUE(m_boxes.boxes().empty());
    EXPECT_EQ(m_app.m_strModuleDir, m_dir.path());
    EXPECT_TRUE(MutexExists("Global\\KPXSetupMutex"));

    m_app.ExitInstance();
    EXPECT_EQ(m_app.m_hMutex, nullptr);
    EXPECT_FALSE(MutexExists("Global\\KPXSetupMutex"));

    // A later start takes the mutex again.
    m_onShown = nullptr;
    EXPECT_TRUE(EndsSilently());
    m_expectedDialogs = 2;
}

TEST_F(StartupTest, SecondCopyRestoresTheMinimisedFirstCopyWithoutAMessage)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    HeldMutex first("Global\\KPXSetupMutex");
    ASSERT_TRUE(first.held());
    HWND window = CreateRunningCopyWindow(m_app.m_strAppName);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window));

    EXPECT_TRUE(EndsSilently());
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));

    DestroyWindow(window);
}

TEST_F(StartupTest, SecondCopyBringsTheFirstCopysWindowToTheFront)
{
    HeldMutex first("Global\\KPXSetupMutex");
    HWND window = CreateRunningCopyWindow(m_app.m_strAppName);
    HWND other = CreateRunningCopyWindow("another program");
    ASSERT_TRUE(window && other);
    SetForegroundWindow(other);
    ASSERT_EQ(GetForegroundWindow(), other);

    EXPECT_TRUE(EndsSilently());
    EXPECT_EQ(GetForegroundWindow(), window);
    EXPECT_FALSE(IsIconic(window));

    DestroyWindow(other);
    DestroyWindow(window);
}

TEST_F(StartupTest, SecondCopyWhileTheFirstIsStillStartingEndsSilently)
{
    WriteIni();
    HeldMutex first("Global\\KPXSetupMutex");
    ASSERT_TRUE(first.held());

    // No printer check is reached: no message although no printer exists.
    EXPECT_TRUE(EndsSilently());
}

TEST_F(StartupTest, AnotherUsersCopyIsReportedOnceAndTheGuardIsHeldMeanwhile)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    DenyMutex();
    bool guardHeldWhileShown = false;
    m_boxes.onShow([&](const RecordedBox&) { guardHeldWhileShown = MutexExists("LocalKPXSetupMutex"); });

    EXPECT_FALSE(Start());
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text, LoadResString(IDS_OTHER_USER));
    EXPECT_EQ(m_boxes.boxes()[0].caption, LoadResString(IDS_APP_TITLE));
    EXPECT_EQ(m_boxes.boxes()[0].type, UINT(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(guardHeldWhileShown);
    EXPECT_FALSE(MutexExists("LocalKPXSetupMutex"));
    // Start-up stopped before taking the single-instance mutex.
    EXPECT_FALSE(MutexExists("Global\\KPXSetupMutex"));
}

TEST_F(StartupTest, AnotherUsersCopyIsSilentWhileTheMessageIsAlreadyShown)
{
    DenyMutex();
    HeldMutex shownElsewhere("LocalKPXSetupMutex");
    ASSERT_TRUE(shownElsewhere.held());

    EXPECT_TRUE(EndsSilently());
}

TEST_F(StartupTest, AnotherUsersCopyWithAWindowHereIsActivatedInstead)
{
    DenyMutex();
    HWND window = CreateRunningCopyWindow(m_app.m_strAppName);
    ShowWindow(window, SW_MINIMIZE);

    EXPECT_TRUE(EndsSilently());
    EXPECT_FALSE(IsIconic(window));
    DestroyWindow(window);
}

TEST_F(StartupTest, SingleInstanceMutexOfEveryClass)
{
    // 95/98/Me refuse a backslash in an object name and NT 4.0 has no
    // machine-wide namespace: both guard with the session mutex alone and
    // look for no other user's copy. Start-up goes on to the printer check.
    const char* const global = "Global\\KPXSetupMutex";
    const char* const session = "LocalKPXSetupMutex";
    struct Case {
        OsClass os;
        int globalProbes;
        const char* created;
    } cases[] = {
        {OsWin9x, 0, session}, {OsNT4, 0, session}, {Os2000, 1, global},
        {OsXP, 1, global},     {Os7, 1, global},    {OsUnknown, 1, global},
    };
    for (const Case& c : cases) {
        ScopedOsVersion version(c.os);
        int probes = 0;
        std::vector<std::string> created;
        ScopedApiOverride<&Win32Api::OpenMutexA> open([&](DWORD access, BOOL inherit, LPCSTR name) {
            probes += lstrcmpA(name, global) == 0;
            return ::OpenMutexA(access, inherit, name);
        });
        ScopedApiOverride<&Win32Api::CreateMutexA> create([&](LPSECURITY_ATTRIBUTES sa, BOOL owned, LPCSTR name) {
            created.push_back(name ? name : "(null)");
            return ::CreateMutexA(sa, owned, name);
        });
        const size_t shown = m_boxes.boxes().size();

        EXPECT_FALSE(Start());
        EXPECT_EQ(probes, c.globalProbes) << c.os;
        EXPECT_EQ(created, std::vector<std::string>{c.created}) << c.os;
        ASSERT_EQ(m_boxes.boxes().size(), shown + 1) << c.os;
        EXPECT_EQ(m_boxes.boxes().back().text, LoadResString(IDS_NO_DRIVER)) << c.os;
    }
}

TEST_F(StartupTest, OnNT4AStartWithTheSessionMutexShowsTheMainDialog)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    WriteIni();
    ScopedOsVersion version(OsNT4);

    EXPECT_TRUE(EndsSilently());
    EXPECT_FALSE(MutexExists("LocalKPXSetupMutex"));
    m_expectedDialogs = 1;
}

TEST(ModuleDirTest, CutAtTheLastRealBackslash)
{
    // The module's path, and the directory taken from it.
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\Setup\\KPXSETUP.EXE", "C:\\Tools\\Setup"},
        // "ソ" is 0x83 0x5C: its trail byte is not a backslash.
        {"C:\\\x83\x5C\\KPXSETUP.EXE", "C:\\\x83\x5C"},
        {"C:\\Tools\\\x83\x5C.EXE", "C:\\Tools"},
        {"KPXSETUP.EXE", "KPXSETUP.EXE"},
    };
    for (const auto& c : cases) {
        ScopedModulePath module(c.first);
        CKPXSetupApp app;
        app.InitModuleDir();
        EXPECT_EQ(app.m_strModuleDir, c.second) << c.first;
    }
}

} // namespace
