#include "platform/OsClass.h"

#include "support/ApiOverride.h"
#include "support/WineMachine.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------
// The classification table

// A version as the query reports it: platform id, major, minor, product type.
struct Version {
    DWORD platformId;
    DWORD major;
    DWORD minor;
    BYTE productType;
};

const BYTE kWorkstation = VER_NT_WORKSTATION;            // 1
const BYTE kDomainController = VER_NT_DOMAIN_CONTROLLER; // 2
const BYTE kServer = VER_NT_SERVER;                      // 3

// Every version of the list is classed as `expected`.
void ExpectClass(OsClass expected, const std::vector<Version>& versions)
{
    for (const Version& v : versions) {
        SCOPED_TRACE("platform " + std::to_string(v.platformId) + ", version " + std::to_string(v.major) + "." +
                     std::to_string(v.minor) + ", product type " + std::to_string(v.productType));
        EXPECT_EQ(expected, ClassifyVersion(v.platformId, v.major, v.minor, v.productType));
    }
}

TEST(ClassifyVersion, Windows9xFamilyIsMajorFourWhateverTheMinorAndProductType)
{
    // 95, 98, Me, and 98 with product types it never reports.
    ExpectClass(OsWin9x, {{1, 4, 0, 0}, {1, 4, 10, 0}, {1, 4, 90, 0}, {1, 4, 10, kWorkstation}, {1, 4, 10, kServer}});
    ExpectClass(OsUnknown, {{1, 3, 10, 0}, {1, 5, 0, 0}, {1, 5, 1, kWorkstation}, {1, 6, 1, kWorkstation}});
}

TEST(ClassifyVersion, NtFourAndFiveIgnoreTheProductType)
{
    ExpectClass(OsNT4, {{2, 4, 0, 0}, {2, 4, 0, kWorkstation}, {2, 4, 0, kServer}});
    ExpectClass(Os2000, {{2, 5, 0, kWorkstation}, {2, 5, 0, kServer}});
    ExpectClass(OsXP, {{2, 5, 1, kWorkstation}, {2, 5, 1, kServer}});
    // XP x64 reports 5.2 as a workstation.
    ExpectClass(Os2003, {{2, 5, 2, kServer}, {2, 5, 2, kDomainController}, {2, 5, 2, kWorkstation}});
    ExpectClass(OsUnknown,
                {{2, 4, 1, kWorkstation}, {2, 4, 10, kWorkstation}, {2, 5, 3, kWorkstation}, {2, 5, 4, kServer}});
}

TEST(ClassifyVersion, NtSixTellsWorkstationFromEveryOtherProductType)
{
    ExpectClass(OsVista, {{2, 6, 0, kWorkstation}});
    ExpectClass(Os2008, {{2, 6, 0, kServer}, {2, 6, 0, kDomainController}, {2, 6, 0, 0}});
    ExpectClass(Os7, {{2, 6, 1, kWorkstation}});
    ExpectClass(Os2008R2, {{2, 6, 1, kServer}, {2, 6, 1, kDomainController}});
    ExpectClass(Os81, {{2, 6, 3, kWorkstation}});
    ExpectClass(Os2012R2, {{2, 6, 3, kServer}, {2, 6, 3, kDomainController}});
}

TEST(ClassifyVersion, WindowsEightAndLaterReportSixTwoAndAreUnknown)
{
    ExpectClass(OsUnknown, {{2, 6, 2, kWorkstation},
                            {2, 6, 2, kServer},
                            {2, 6, 2, kDomainController},
                            {2, 6, 4, kWorkstation},
                            {2, 6, 5, kServer},
                            {2, 10, 0, kWorkstation},
                            {2, 10, 0, kServer}});
}

TEST(ClassifyVersion, OtherMajorsAndPlatformsAreUnknown)
{
    // NT 3.51 and 7.0; the zeroed record of a failed query; Win32s; Windows CE.
    ExpectClass(OsUnknown, {{2, 3, 51, kWorkstation},
                            {2, 7, 0, kWorkstation},
                            {0, 0, 0, 0},
                            {0, 4, 0, 0},
                            {0, 6, 1, kWorkstation},
                            {3, 5, 1, kWorkstation},
                            {3, 4, 0, 0}});
}

// ---------------------------------------------------------------------------
// GetOsClass through the version query

// What the fake query saw, and what it answers. acceptedSize 0 refuses every
// record.
struct FakeVersionQuery {
    DWORD acceptedSize = 0;
    Version answer = {};
    std::vector<DWORD> sizesSeen;
    bool restZeroOnEntry = true; // every byte after the size field was zero
};
class GetOsClassQuery : public ::testing::Test {
protected:
    OsClass Classify(DWORD acceptedSize, Version answer)
    {
        m_query.acceptedSize = acceptedSize;
        m_query.answer = answer;
        ScopedApiOverride<&Win32Api::GetVersionExA> fake([this](LPOSVERSIONINFOA info) {
            const DWORD size = info->dwOSVersionInfoSize;
            m_query.sizesSeen.push_back(size);
            const BYTE* bytes = reinterpret_cast<const BYTE*>(info);
            for (DWORD i = sizeof(DWORD); i < size && i < sizeof(OSVERSIONINFOEXA); ++i) {
                if (bytes[i] != 0)
                    m_query.restZeroOnEntry = false;
            }
            if (size != m_query.acceptedSize) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return FALSE;
            }
            info->dwPlatformId = m_query.answer.platformId;
            info->dwMajorVersion = m_query.answer.major;
            info->dwMinorVersion = m_query.answer.minor;
            if (size == sizeof(OSVERSIONINFOEXA))
                reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = m_query.answer.productType;
            return TRUE;
        });
        return GetOsClass();
    }

    FakeVersionQuery m_query;
};

TEST_F(GetOsClassQuery, AsksWithTheZeroedExtendedRecord)
{
    EXPECT_EQ(OsXP, Classify(156, {VER_PLATFORM_WIN32_NT, 5, 1, kWorkstation}));
    EXPECT_EQ(std::vector<DWORD>{156}, m_query.sizesSeen);
    EXPECT_TRUE(m_query.restZeroOnEntry);
}

TEST_F(GetOsClassQuery, ReadsTheProductTypeOfTheExtendedRecord)
{
    EXPECT_EQ(Os2008, Classify(156, {VER_PLATFORM_WIN32_NT, 6, 0, kServer}));
    EXPECT_EQ(OsVista, Classify(156, {VER_PLATFORM_WIN32_NT, 6, 0, kWorkstation}));
    EXPECT_EQ(Os2012R2, Classify(156, {VER_PLATFORM_WIN32_NT, 6, 3, kServer}));
}

TEST_F(GetOsClassQuery, FailedQueryLeavesTheZeroedRecordAndIsUnknown)
{
    EXPECT_EQ(OsUnknown, Classify(0, {}));
    // Both record sizes were tried, each zeroed.
    EXPECT_EQ((std::vector<DWORD>{156, 148}), m_query.sizesSeen);
    EXPECT_TRUE(m_query.restZeroOnEntry);
}

TEST_F(GetOsClassQuery, SystemsThatKnowOnlyThePlainRecordAreStillClassed)
{
    // Windows 98 and NT 4.0 SP5 refuse the 156-byte record.
    EXPECT_EQ(OsWin9x, Classify(148, {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0}));
    EXPECT_EQ((std::vector<DWORD>{156, 148}), m_query.sizesSeen);
    EXPECT_TRUE(m_query.restZeroOnEntry);

    EXPECT_EQ(OsNT4, Classify(148, {VER_PLATFORM_WIN32_NT, 4, 0, 0}));
}

TEST(GetOsClass, WineDefaultPrefixIsWindows7)
{
    // Wine reports 6.1 workstation unless told otherwise.
    EXPECT_EQ(Os7, GetOsClass());
}

// ---------------------------------------------------------------------------
// GetOsClass in a process to which Wine reports another version
//
// Wine fixes the version a program sees when the program starts, from
// HKCU\Software\Wine\AppDefaults\<file name>\Version. Each case copies this
// test program under a name of its own, sets that name's version, and starts
// the copy with kProbeSwitch: the copy then reports GetOsClass as its exit
// code and runs no tests.

const char kProbeSwitch[] = "--kpx-report-os-class";
const DWORD kProbeExitBase = 0x4B50;

const bool g_isProbe = [] {
    if (std::strstr(GetCommandLineA(), kProbeSwitch))
        ExitProcess(kProbeExitBase + GetOsClass());
    return false;
}();

// A copy of this program in the temporary folder, deleted afterwards.
class ProbeCopy {
public:
    ProbeCopy()
    {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        m_name = "kpxosprobe" + std::to_string(GetCurrentProcessId()) + ".exe";
        m_path = std::string(temp) + m_name;
        m_copied = CopyFileA(self, m_path.c_str(), FALSE) != FALSE;
    }
    ~ProbeCopy()
    {
        if (m_copied)
            DeleteFileA(m_path.c_str());
    }
    ProbeCopy(const ProbeCopy&) = delete;
    ProbeCopy& operator=(const ProbeCopy&) = delete;

    bool copied() const { return m_copied; }
    const std::string& name() const { return m_name; }

    // The copy's exit code; 0 when it could not be run to its end.
    DWORD Run() const
    {
        std::string cmd = "\"" + m_path + "\" " + kProbeSwitch;
        STARTUPINFOA si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!CreateProcessA(m_path.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 0;
        DWORD code = 0;
        if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        else
            TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return code;
    }

private:
    std::string m_name;
    std::string m_path;
    bool m_copied = false;
};

struct ReportedVersion {
    const char* wineSetting;
    OsClass expected;
};

void PrintTo(const ReportedVersion& v, std::ostream* os)
{
    *os << v.wineSetting << " -> " << v.expected;
}

class GetOsClassAsReported : public ::testing::TestWithParam<ReportedVersion> {};

TEST_P(GetOsClassAsReported, ClassesTheVersionWineReportsToTheProgram)
{
    ProbeCopy probe;
    ASSERT_TRUE(probe.copied());
    ScopedProgramWindowsVersion version(probe.name(), GetParam().wineSetting);
    ASSERT_TRUE(version.set());

    EXPECT_EQ(kProbeExitBase + GetParam().expected, probe.Run());
}

// Wine's "win7" setting reports a server product type, so Windows 7 is
// covered by the default prefix above. "win8" and later report 6.2 to a
// program whose manifest lists no supported systems.
INSTANTIATE_TEST_SUITE_P(WineVersions, GetOsClassAsReported,
                         ::testing::Values(ReportedVersion{"win98", OsWin9x}, ReportedVersion{"nt40", OsNT4},
                                           ReportedVersion{"win2k", Os2000}, ReportedVersion{"winxp", OsXP},
                                           ReportedVersion{"win2003", Os2003}, ReportedVersion{"vista", OsVista},
                                           ReportedVersion{"win2008", Os2008}, ReportedVersion{"win8", OsUnknown},
                                           ReportedVersion{"win81", OsUnknown}, ReportedVersion{"win10", OsUnknown}),
                         [](const ::testing::TestParamInfo<ReportedVersion>& info) {
                             return std::string(info.param.wineSetting);
                         });

} // namespace
