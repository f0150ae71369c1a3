// Installing one profile file: the two targets of a printer, the overwrite
// answers that hold across an apply, and the copy itself, on real files.
#include "operation/ProfileCopy.h"
#include "operation/ProfileTargets.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterHandle.h"
#include "support/ApiOverride.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/SpoolerFakes.h"
#include "support/TempDir.h"
#include "support/TestPrinter.h"
#include "support/WinapiFunction.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace {

TEST(OverwriteDecision, EachAnswer)
{
    struct Case {
        INT_PTR answer;
        bool copy, all, cancelled;
    } cases[] = {
        {IDYES, true, false, false},    {5, true, true, false},    {IDNO, false, false, false},
        {IDCANCEL, false, false, true}, {-1, false, false, false}, {IDOK, false, false, false},
    };
    for (const Case& c : cases) {
        OverwriteDecision d = DecideOverwrite(c.answer);
        EXPECT_EQ(c.copy, d.copy) << c.answer;
        EXPECT_EQ(c.all, d.setOverwriteAll) << c.answer;
        EXPECT_EQ(c.cancelled, d.setOverwriteCancelled) << c.answer;
    }
}

class ProfileInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.kpx", "b.kpx"})
            ASSERT_TRUE(WriteFileBytes(m_source.file(name), std::string("new ") + name));
    }

    // Installs a source file into the two target folders, answering the
    // prompts from m_answers and recording which targets were asked about.
    void Install(const char* name)
    {
        const std::string targets[2] = {m_system.file(name), m_driver.file(name)};
        InstallToTargets(m_source.file(name), targets, m_all, m_cancelled, m_copies,
                         [this](const std::string& source, const std::string& target) -> INT_PTR {
                             m_asked.push_back(source + " -> " + target);
                             if (m_answers.empty())
                                 return -1;
                             INT_PTR answer = m_answers.front();
                             m_answers.pop_front();
                             return answer;
                         });
    }
    void Existing(const TempDir& dir, const char* name, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
    {
        ASSERT_TRUE(WriteFileBytes(dir.file(name), "old"));
        SetFileAttributesA(dir.file(name).c_str(), attributes);
    }
    std::string Content(const TempDir& dir, const char* name) { return ReadFileBytes(dir.file(name)); }

    TempDir m_source{"src"}, m_system{"sys"}, m_driver{"drv"};
    std::deque<INT_PTR> m_answers;
    std::vector<std::string> m_asked;
    bool m_all = false, m_cancelled = false;
    TargetCopies m_copies;
    ScopedPlatformFlags m_flags{false, false};
};

TEST_F(ProfileInstall, NewTargetsAreCopiedWithoutAsking)
{
    Install("a.kpx");
    EXPECT_TRUE(m_asked.empty());
    EXPECT_EQ("new a.kpx", Content(m_system, "a.kpx"));
    EXPECT_EQ("new a.kpx", Content(m_driver, "a.kpx"));
    EXPECT_TRUE(m_copies.failed.empty());
}

TEST_F(ProfileInstall, YesAndNoHoldForOneTargetOnly)
{
    Existing(m_system, "a.kpx");
    Existing(m_driver, "a.kpx");
    m_answers = {IDNO, IDYES};
    Install("a.kpx");
    ASSERT_EQ(2u, m_asked.size());
    EXPECT_EQ(m_source.file("a.kpx") + " -> " + m_system.file("a.kpx"), m_asked[0]);
    EXPECT_EQ(m_source.file("a.kpx") + " -> " + m_driver.file("a.kpx"), m_asked[1]);
    EXPECT_EQ("old", Content(m_system, "a.kpx"));
    EXPECT_EQ("new a.kpx", Content(m_driver, "a.kpx"));
    EXPECT_FALSE(m_all || m_cancelled);
}

TEST_F(ProfileInstall, OverwriteAllStopsEveryLaterPrompt)
{
    for (const char* name : {"a.kpx", "b.kpx"}) {
        Existing(m_system, name);
        Existing(m_driver, name);
    }
    m_answers = {5};
    Install("a.kpx");
    Install("b.kpx");
    EXPECT_EQ(1u, m_asked.size());
    for (const char* name : {"a.kpx", "b.kpx"}) {
        EXPECT_EQ(std::string("new ") + name, Content(m_system, name));
        EXPECT_EQ(std::string("new ") + name, Content(m_driver, name));
    }
}

TEST_F(ProfileInstall, CancelKeepsExistingFilesButNewTargetsAreStillCreated)
{
    Existing(m_system, "a.kpx");
    Existing(m_driver, "b.kpx");
    m_answers = {IDCANCEL};
    Install("a.kpx");
    Install("b.kpx");
    EXPECT_EQ(1u, m_asked.size());
    EXPECT_TRUE(m_cancelled);
    EXPECT_EQ("old", Content(m_system, "a.kpx"));
    EXPECT_EQ("new a.kpx", Content(m_driver, "a.kpx"));
    EXPECT_EQ("new b.kpx", Content(m_system, "b.kpx"));
    EXPECT_EQ("old", Content(m_driver, "b.kpx"));
}

TEST_F(ProfileInstall, DialogThatDidNotOpenKeepsTheTargetAndAsksAgainNextTime)
{
    Existing(m_system, "a.kpx");
    Existing(m_driver, "a.kpx");
    Install("a.kpx"); // no answers: every prompt "fails to open"
    EXPECT_EQ(2u, m_asked.size());
    EXPECT_EQ("old", Content(m_system, "a.kpx"));
    EXPECT_EQ("old", Content(m_driver, "a.kpx"));
}

TEST_F(ProfileInstall, ReadOnlyTargetIsReplacedAfterYesAndKeptAfterNo)
{
    Existing(m_system, "a.kpx", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Existing(m_driver, "a.kpx", FILE_ATTRIBUTE_READONLY);
    m_answers = {IDYES, IDNO};
    Install("a.kpx");
    EXPECT_EQ("new a.kpx", Content(m_system, "a.kpx"));
    // The replaced file keeps the attributes the administrator gave it.
    DWORD replaced = GetFileAttributesA(m_system.file("a.kpx").c_str());
    EXPECT_EQ(replaced & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ("old", Content(m_driver, "a.kpx"));
    EXPECT_TRUE(GetFileAttributesA(m_driver.file("a.kpx").c_str()) & FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(m_system.file("a.kpx").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA(m_driver.file("a.kpx").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ProfileInstall, LockedTargetIsAskedAboutAndKeptAfterNo)
{
    Existing(m_system, "a.kpx");
    HANDLE held = CreateFileA(m_system.file("a.kpx").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    m_answers = {IDNO};
    Install("a.kpx");
    CloseHandle(held);
    EXPECT_EQ(m_asked, std::vector<std::string>{m_source.file("a.kpx") + " -> " + m_system.file("a.kpx")});
    EXPECT_TRUE(m_copies.failed.empty());
    EXPECT_EQ("old", Content(m_system, "a.kpx"));
    EXPECT_EQ("new a.kpx", Content(m_driver, "a.kpx"));
}

TEST_F(ProfileInstall, EmptyDriverTargetWritesAndAsksNothing)
{
    Existing(m_system, "a.kpx");
    const std::string targets[2] = {m_system.file("a.kpx"), std::string()};
    m_answers = {IDYES};
    InstallToTargets(m_source.file("a.kpx"), targets, m_all, m_cancelled, m_copies,
                     [this](const std::string&, const std::string&) -> INT_PTR {
                         m_asked.push_back("asked");
                         return IDYES;
                     });
    EXPECT_EQ(1u, m_asked.size());
    EXPECT_TRUE(m_copies.failed.empty());
}

class TargetPaths : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteAllPrinters();
        GetSystemDirectoryA(m_systemDir, MAX_PATH);
    }
    void TearDown() override { DeleteAllPrinters(); }

    void Targets(const char* source)
    {
        // A printer the spooler does not open has no driver directory.
        CPrinterHandle printer = OpenPrinterHandle("Plotter 3F", PRINTER_ALL_ACCESS);
        GetTargetPaths(printer.IsValid() ? GetDriverDirectory(printer.Get()) : std::string(), source, m_systemTarget,
                       m_driverTarget);
    }

    char m_systemDir[MAX_PATH] = {};
    std::string m_systemTarget, m_driverTarget;
};

TEST_F(TargetPaths, SystemDirectoryAndTheDriverDirectoryOfThePrinter)
{
    TestPrinter printer("Plotter 3F", kDriver);
    ASSERT_TRUE(printer.added());
    ScopedOsVersion version(Os7);
    Targets("C:\\Tools\\Setup\\office\\auto.kpx");
    EXPECT_EQ(std::string(m_systemDir) + "\\auto.kpx", m_systemTarget);
    EXPECT_EQ(0, lstrcmpiA((std::string(m_systemDir) + "\\spool\\drivers\\w32x86\\3\\auto.kpx").c_str(),
                           m_driverTarget.c_str()))
        << m_driverTarget;
}

TEST_F(TargetPaths, UnderWow64TheDriverOfTheNativeEnvironmentComesFirst)
{
    // The environments whose driver record is asked for, in order ("" for
    // this program's own). A native driver that is not installed falls back
    // to the 32-bit one. The 64-bit spooler is not there in this prefix:
    // a native record that "exists" is this printer's own.
    TestPrinter printer("Plotter 3F", kDriver);
    ASSERT_TRUE(printer.added());
    ScopedOsVersion version(Os7);
    // IsWow64Process2 as a system of each native machine answers it.
    using IsWow64Process2Sig = BOOL(HANDLE, USHORT*, USHORT*);
    auto native = [](USHORT machine) {
        return [machine](HANDLE, USHORT* process, USHORT* nativeMachine) {
            *process = IMAGE_FILE_MACHINE_I386;
            *nativeMachine = machine;
            return TRUE;
        };
    };
    WinapiFunction<IsWow64Process2Sig, 1> amd64(native(IMAGE_FILE_MACHINE_AMD64));
    WinapiFunction<IsWow64Process2Sig, 2> arm64Machine(native(IMAGE_FILE_MACHINE_ARM64));
    WinapiFunction<IsWow64Process2Sig, 3> unknown([](HANDLE, USHORT*, USHORT*) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });
    const FARPROC NativeAmd64 = amd64.proc(), NativeArm64 = arm64Machine.proc(), NativeUnknown = unknown.proc();
    const std::string x64 = "Windows x64", arm64 = "Windows ARM64";
    struct Case {
        bool wow64;
        FARPROC isWow64Process2; // null: a system without it
        bool nativeInstalled;
        std::vector<std::string> asked;
    } cases[] = {
        {false, NativeArm64, true, {""}},        {true, nullptr, true, {x64}},       {true, NativeAmd64, true, {x64}},
        {true, NativeAmd64, false, {x64, ""}},   {true, NativeUnknown, true, {x64}}, {true, NativeArm64, true, {arm64}},
        {true, NativeArm64, false, {arm64, ""}},
    };
    for (const Case& c : cases) {
        ScopedPlatformFlags flags(c.wow64, false);
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([&](HMODULE module, LPCSTR name) -> FARPROC {
            if (HIWORD(name) && lstrcmpA(name, "IsWow64Process2") == 0)
                return c.isWow64Process2;
            return ::GetProcAddress(module, name);
        });
        std::vector<std::string> asked;
        ScopedApiOverride<&Win32Api::GetPrinterDriverA> driver(
            [&](HANDLE h, LPSTR env, DWORD level, LPBYTE record, DWORD size, LPDWORD needed) {
                if (!record)
                    asked.push_back(env ? env : "");
                if (env && !c.nativeInstalled) {
                    *needed = 0;
                    SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
                    return FALSE;
                }
                return ::GetPrinterDriverA(h, nullptr, level, record, size, needed);
            });
        Targets("C:\\a.kpx");
        EXPECT_EQ(c.asked, asked) << c.wow64 << c.nativeInstalled;
        EXPECT_EQ(0, lstrcmpiA((std::string(m_systemDir) + "\\spool\\drivers\\w32x86\\3\\a.kpx").c_str(),
                               m_driverTarget.c_str()))
            << m_driverTarget;
    }
}

TEST_F(TargetPaths, NoDriverTargetOnWindows9xOrWhenTheDriverCannotBeHad)
{
    TestPrinter printer("Plotter 3F", kDriver);
    {
        ScopedOsVersion version(OsWin9x);
        Targets("C:\\a.kpx");
        EXPECT_EQ(std::string(m_systemDir) + "\\a.kpx", m_systemTarget);
        EXPECT_EQ("", m_driverTarget);
    }
    ScopedOsVersion version(OsXP);
    {
        SpoolerFakes spooler;
        spooler.RefuseOpen("Plotter 3F");
        Targets("C:\\a.kpx");
        EXPECT_EQ("", m_driverTarget);
        EXPECT_EQ(0, spooler.OpenHandles());
    }
    {
        ScopedApiOverride<&Win32Api::GlobalAlloc> alloc([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
        Targets("C:\\a.kpx");
        EXPECT_EQ("", m_driverTarget);
    }
}

} // namespace
