// In a 64-bit prefix, where this 32-bit program runs under WOW64: the files
// that must reach the native system directory land there, and nothing else
// is redirected differently than a plain call would be.
#include "classlib/Handle.h"
#include "platform/SafeFileAccess.h"
#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/DriverRecord.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

class Wow64Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(PrefixPath("").empty());
        ASSERT_TRUE(WriteFileBytes(m_source, "profile bytes"));
    }
    void TearDown() override
    {
        for (const char* name : {"kpx_wow64.kpx", "PLOTA2.INI"}) {
            DeleteFileA(NativeSystemFile(name).c_str());
            DeleteFileA(RedirectedSystemFile(name).c_str());
        }
    }

    TempDir m_dir;
    std::string m_source = m_dir.file("auto.kpx");

    // Writes the source's bytes to path through the safe open.
    static bool SafeWrite(const char* path)
    {
        CFileHandle file(SafeCreateFile(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        return file.IsValid() && WriteFile(file.Get(), "profile bytes", 13, &written, nullptr) && written == 13;
    }

    // Loads of kernel32 (where the redirection switch lives) are counted in
    // m_kernelLoads from now on.
    void CountKernelLoads()
    {
        m_load.emplace([this](LPCSTR name, HANDLE file, DWORD flags) {
            if (SystemLibraryName(name) == "kernel32.dll")
                ++m_kernelLoads;
            return ::LoadLibraryExA(name, file, flags);
        });
    }
    int m_kernelLoads = 0;
    std::optional<ScopedApiOverride<&Win32Api::LoadLibraryExA>> m_load;
};

TEST_F(Wow64Settings, SafeWriteLandsInTheNativeSystemDirectoryAndAPlainOneDoesNot)
{
    ScopedPlatformFlags flags(true, false);
    const char* target = "C:\\windows\\system32\\kpx_wow64.kpx";
    ASSERT_TRUE(SafeWrite(target));
    EXPECT_EQ("profile bytes", ReadFileBytes(NativeSystemFile("kpx_wow64.kpx")));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(RedirectedSystemFile("kpx_wow64.kpx").c_str()));
    EXPECT_TRUE(SafeFilePresent(target));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, SafeGetFileAttributes(target));

    // Redirection is on again: the same plain call reaches the 32-bit folder.
    EXPECT_FALSE(GetFileAttributesA(target) != INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(CopyFileA(m_source.c_str(), target, FALSE));
    EXPECT_EQ("profile bytes", ReadFileBytes(RedirectedSystemFile("kpx_wow64.kpx")));
}

TEST_F(Wow64Settings, FreeCallsSwitchEvenWhileTerminalServicesRun)
{
    ScopedPlatformFlags flags(true, true);
    ASSERT_TRUE(SafeWrite("C:\\windows\\system32\\kpx_wow64.kpx"));
    EXPECT_EQ("profile bytes", ReadFileBytes(NativeSystemFile("kpx_wow64.kpx")));
}

TEST_F(Wow64Settings, DriverSettingsFileIsReadAndWrittenInTheNativeSystemDirectory)
{
    ScopedOsVersion version(Os7);
    ScopedPlatformFlags flags(true, false);
    // Different texts on both sides show which one is read.
    ASSERT_TRUE(WriteFileBytes(NativeSystemFile("PLOTA2.INI"), "[P1]\r\nColorProfileSetName=Native\r\n"));
    ASSERT_TRUE(WriteFileBytes(RedirectedSystemFile("PLOTA2.INI"), "[P1]\r\nColorProfileSetName=Wow\r\n"));

    CDriverINI ini;
    EXPECT_EQ("C:\\windows\\system32\\PLOTA2.INI", ini.GetIniPath());
    std::string name;
    EXPECT_TRUE(ini.ReadProfileSetName("P1", name));
    EXPECT_EQ("Native", name);

    ASSERT_TRUE(ini.LoadSection("P1"));
    EXPECT_TRUE(ini.SaveSection("P3"));
    EXPECT_TRUE(ini.DeleteSection("P1"));
    EXPECT_EQ("[P3]\r\nColorProfileSetName=Native\r\n", ReadFileBytes(NativeSystemFile("PLOTA2.INI")));
    EXPECT_EQ("[P1]\r\nColorProfileSetName=Wow\r\n", ReadFileBytes(RedirectedSystemFile("PLOTA2.INI")));
}

TEST_F(Wow64Settings, WithTerminalServicesTheDriverSettingsFileLeavesRedirectionAlone)
{
    ScopedOsVersion version(Os7);
    ScopedPlatformFlags flags(true, true);
    CountKernelLoads();

    const std::string folder = UserDriverIniFolder();
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    {
        CDriverINI ini;
        EXPECT_EQ(0, lstrcmpiA((folder + "\\PLOTA2.INI").c_str(), ini.GetIniPath().c_str()));
        const std::string files[4] = {"a.kpx", "f.kpx", "t.kpx", "v.kpx"};
        EXPECT_EQ(WriteRecord("P1", "Office", files), TextChangeDone);
        std::string name;
        EXPECT_TRUE(ini.ReadProfileSetName("P1", name));
        EXPECT_EQ("Office", name);
    }
    EXPECT_EQ(0, m_kernelLoads);
    DeleteFileA((folder + "\\PLOTA2.INI").c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(Wow64Settings, WithoutTheFlagNothingIsSwitched)
{
    ScopedPlatformFlags flags(false, false);
    CountKernelLoads();
    ASSERT_TRUE(SafeWrite("C:\\windows\\system32\\kpx_wow64.kpx"));
    EXPECT_EQ("profile bytes", ReadFileBytes(RedirectedSystemFile("kpx_wow64.kpx")));
    EXPECT_EQ(0, m_kernelLoads);
}

} // namespace
