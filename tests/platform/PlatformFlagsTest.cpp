// QueryWow64 and the process-wide flags in the run's 32-bit prefix.
#include "platform/PlatformFlags.h"

#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// The libraries the query loads and frees. The recording fakes pass every
// call on to the system.
struct LibraryCalls {
    std::vector<HMODULE> loaded;
    std::vector<HMODULE> freed;
};
LibraryCalls g_libs;

HMODULE WINAPI RecordingLoadLibraryA(LPCSTR name)
{
    HMODULE h = ::LoadLibraryA(name);
    if (h)
        g_libs.loaded.push_back(h);
    return h;
}

BOOL WINAPI RecordingFreeLibrary(HMODULE h)
{
    g_libs.freed.push_back(h);
    return ::FreeLibrary(h);
}

HMODULE WINAPI FailingLoadLibraryA(LPCSTR)
{
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

// A system that predates IsWow64Process.
FARPROC WINAPI GetProcAddressWithoutIsWow64Process(HMODULE module, LPCSTR name)
{
    if (HIWORD(name) && std::strcmp(name, "IsWow64Process") == 0) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return ::GetProcAddress(module, name);
}

BOOL WINAPI FailingIsWow64Process(HANDLE, PBOOL)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI TrueIsWow64Process(HANDLE, PBOOL wow64)
{
    *wow64 = TRUE;
    return TRUE;
}

FARPROC WINAPI GetProcAddressWithFailingIsWow64Process(HMODULE, LPCSTR)
{
    return reinterpret_cast<FARPROC>(&FailingIsWow64Process);
}

FARPROC WINAPI GetProcAddressWithTrueIsWow64Process(HMODULE, LPCSTR)
{
    return reinterpret_cast<FARPROC>(&TrueIsWow64Process);
}

SC_HANDLE WINAPI RefusedOpenSCManagerA(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

BOOL WINAPI RunningQueryServiceStatus(SC_HANDLE, LPSERVICE_STATUS status)
{
    status->dwCurrentState = SERVICE_RUNNING;
    return TRUE;
}

class Wow64Query : public ::testing::Test {
protected:
    void SetUp() override { g_libs = LibraryCalls(); }

    void ExpectLibraryFreed()
    {
        ASSERT_EQ(1u, g_libs.loaded.size());
        EXPECT_EQ(g_libs.loaded, g_libs.freed);
    }

    ScopedApiOverride<&Win32Api::LoadLibraryA> m_load{&RecordingLoadLibraryA};
    ScopedApiOverride<&Win32Api::FreeLibrary> m_free{&RecordingFreeLibrary};
};

TEST_F(Wow64Query, ThirtyTwoBitSystemIsNotWow64)
{
    EXPECT_EQ(0, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, SystemWithoutTheFunctionCannotBeTold)
{
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&GetProcAddressWithoutIsWow64Process);
    EXPECT_EQ(-1, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, FailedCallCannotBeTold)
{
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&GetProcAddressWithFailingIsWow64Process);
    EXPECT_EQ(-1, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, KernelThatCannotBeLoadedCannotBeTold)
{
    ScopedApiOverride<&Win32Api::LoadLibraryA> load(&FailingLoadLibraryA);
    EXPECT_EQ(-1, QueryWow64());
    EXPECT_TRUE(g_libs.freed.empty());
}

// ---------------------------------------------------------------------------
// The flags

TEST(PlatformFlags, EachFlagIsTrueOnlyForAnAnswerOfOne)
{
    ScopedPlatformFlags restore(false, false);
    {
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&GetProcAddressWithTrueIsWow64Process);
        ScopedApiOverride<&Win32Api::QueryServiceStatus> status(&RunningQueryServiceStatus);
        InitPlatformFlags();
        EXPECT_EQ(TRUE, RunningOnWow64());
        EXPECT_EQ(TRUE, TerminalServicesActive());
    }
    {
        // Both queries give -1.
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup(&GetProcAddressWithoutIsWow64Process);
        ScopedApiOverride<&Win32Api::OpenSCManagerA> manager(&RefusedOpenSCManagerA);
        InitPlatformFlags();
        EXPECT_EQ(FALSE, RunningOnWow64());
        EXPECT_EQ(FALSE, TerminalServicesActive());
    }
}

TEST(PlatformFlags, ScopedFlagsArePutBack)
{
    ScopedPlatformFlags outer(true, false);
    {
        ScopedPlatformFlags inner(false, true);
        EXPECT_EQ(FALSE, RunningOnWow64());
        EXPECT_EQ(TRUE, TerminalServicesActive());
    }
    EXPECT_EQ(TRUE, RunningOnWow64());
    EXPECT_EQ(FALSE, TerminalServicesActive());
}

} // namespace
