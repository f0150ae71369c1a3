// The redirection-safe calls on a 32-bit system, and the order of the
// redirection switch around one call (through the seam, since only a 64-bit
// system has the switch; the WOW64 test shows where the files land).
#include "settings/SafeFileAccess.h"

#include "classlib/FileStatus.h"
#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;
int g_loads = 0;

HMODULE WINAPI CountingLoadLibraryA(LPCSTR name)
{
    ++g_loads;
    return ::LoadLibraryA(name);
}

HMODULE WINAPI FailingLoadLibraryA(LPCSTR)
{
    g_events.push_back("load failed");
    return nullptr;
}

BOOL WINAPI RecordingDisable(PVOID* saved)
{
    g_events.push_back(*saved == nullptr ? "disable(null)" : "disable(not null)");
    *saved = reinterpret_cast<PVOID>(0x1234);
    return TRUE;
}

BOOL WINAPI RecordingRevert(PVOID saved)
{
    g_events.push_back(saved == reinterpret_cast<PVOID>(0x1234) ? "revert(saved)" : "revert(other)");
    return TRUE;
}

bool g_withoutRevert = false;

FARPROC WINAPI RecordingGetProcAddress(HMODULE, LPCSTR name)
{
    g_events.push_back(std::string("lookup ") + name);
    if (std::string(name) == "Wow64DisableWow64FsRedirection")
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordingDisable));
    if (std::string(name) == "Wow64RevertWow64FsRedirection" && !g_withoutRevert)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(&RecordingRevert));
    return nullptr;
}

BOOL WINAPI RecordingFreeLibrary(HMODULE module)
{
    g_events.push_back("free");
    return ::FreeLibrary(module);
}

HANDLE WINAPI RecordingFailingCreateFileA(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                          HANDLE)
{
    g_events.push_back("call");
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

class SafeFileAccess : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_events.clear();
        g_loads = 0;
        g_withoutRevert = false;
        ASSERT_TRUE(WriteFileBytes(m_source, "profile bytes"));
    }

    TempDir m_dir;
    std::string m_source = m_dir.file("auto.kpx");
};

TEST_F(SafeFileAccess, WithoutWow64TheyAreThePlainCallsAndLoadNothing)
{
    ScopedPlatformFlags flags(false, false);
    ScopedApiOverride<&Win32Api::LoadLibraryA> load(&CountingLoadLibraryA);

    std::string target = m_dir.file("copy.kpx");
    EXPECT_TRUE(SafeCopyFile(m_source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ("profile bytes", ReadFileBytes(target));
    EXPECT_TRUE(SafeSetFileAttributes(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              SafeGetFileAttributes(target.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(SafeSetFileAttributes(target.c_str(), FILE_ATTRIBUTE_NORMAL));

    CFileStatus status;
    EXPECT_TRUE(SafeGetFileStatus(target.c_str(), status));
    EXPECT_EQ(13u, status.m_size);
    EXPECT_TRUE(SafeFileExists(target.c_str()));
    EXPECT_FALSE(SafeFileExists(m_dir.file("missing.kpx").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, SafeGetFileAttributes(m_dir.file("missing.kpx").c_str()));

    EXPECT_EQ(0, g_loads);
}

TEST_F(SafeFileAccess, OnASystemWithoutTheSwitchTheCallsStillWork)
{
    // A 32-bit system has the entry points, but switching fails there.
    ScopedPlatformFlags flags(true, false);
    ScopedApiOverride<&Win32Api::LoadLibraryA> load(&CountingLoadLibraryA);
    std::string target = m_dir.file("copy.kpx");
    EXPECT_TRUE(SafeCopyFile(m_source.c_str(), target.c_str(), FALSE));
    EXPECT_TRUE(SafeFileExists(target.c_str()));
    EXPECT_EQ(2, g_loads);
}

TEST_F(SafeFileAccess, SwitchIsOffForExactlyTheOneCallAndOnAgainAfterAFailure)
{
    ScopedPlatformFlags flags(true, false);
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&RecordingGetProcAddress);
    ScopedApiOverride<&Win32Api::FreeLibrary> free(&RecordingFreeLibrary);
    ScopedApiOverride<&Win32Api::CreateFileA> create(&RecordingFailingCreateFileA);

    EXPECT_FALSE(SafeFileExists(m_source.c_str()));
    const std::vector<std::string> once = {
        "lookup Wow64DisableWow64FsRedirection", "lookup Wow64RevertWow64FsRedirection",
        "disable(null)", "call", "revert(saved)", "free"};
    EXPECT_EQ(once, g_events);

    // Nothing is kept from one call to the next.
    g_events.clear();
    EXPECT_FALSE(SafeFileExists(m_source.c_str()));
    EXPECT_EQ(once, g_events);
}

TEST_F(SafeFileAccess, MissingEntryPointLeavesRedirectionAlone)
{
    ScopedPlatformFlags flags(true, false);
    g_withoutRevert = true;
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&RecordingGetProcAddress);
    ScopedApiOverride<&Win32Api::FreeLibrary> free(&RecordingFreeLibrary);
    ScopedApiOverride<&Win32Api::CreateFileA> create(&RecordingFailingCreateFileA);

    SafeFileExists(m_source.c_str());
    const std::vector<std::string> direct = {"lookup Wow64DisableWow64FsRedirection",
                                             "lookup Wow64RevertWow64FsRedirection", "call",
                                             "free"};
    EXPECT_EQ(direct, g_events);
}

TEST_F(SafeFileAccess, NoKernelLibraryMeansTheDirectCall)
{
    ScopedPlatformFlags flags(true, false);
    ScopedApiOverride<&Win32Api::LoadLibraryA> load(&FailingLoadLibraryA);
    ScopedApiOverride<&Win32Api::CreateFileA> create(&RecordingFailingCreateFileA);
    SafeFileExists(m_source.c_str());
    EXPECT_EQ((std::vector<std::string>{"load failed", "call"}), g_events);
}

TEST_F(SafeFileAccess, FileHeldOpenWithoutSharingDoesNotExist)
{
    ScopedPlatformFlags flags(false, false);
    HANDLE held = CreateFileA(m_source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(SafeFileExists(m_source.c_str()));
    CloseHandle(held);
    EXPECT_TRUE(SafeFileExists(m_source.c_str()));
}

} // namespace
