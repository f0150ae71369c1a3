// QueryWow64 and the process-wide flags in the run's 32-bit prefix.
#include "platform/PlatformFlags.h"

#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"
#include "support/WinapiFunction.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// GetProcAddress that answers a lookup of IsWow64Process with this entry;
// null stands for a system that predates the function.
auto IsWow64ProcessAt(FARPROC entry)
{
    return [entry](HMODULE module, LPCSTR name) -> FARPROC {
        if (!HIWORD(name) || std::strcmp(name, "IsWow64Process") != 0)
            return ::GetProcAddress(module, name);
        if (!entry)
            SetLastError(ERROR_PROC_NOT_FOUND);
        return entry;
    };
}

// The libraries the query loads and frees; the recording stand-ins pass every
// call on to the system.
class Wow64Query : public ::testing::Test {
protected:
    void ExpectLibraryFreed()
    {
        ASSERT_EQ(1u, m_loaded.size());
        EXPECT_EQ(m_loaded, m_freed);
    }

    std::vector<HMODULE> m_loaded;
    std::vector<HMODULE> m_freed;
    ScopedApiOverride<&Win32Api::LoadLibraryExA> m_load{[this](LPCSTR name, HANDLE file, DWORD flags) {
        HMODULE h = ::LoadLibraryExA(name, file, flags);
        if (h)
            m_loaded.push_back(h);
        return h;
    }};
    ScopedApiOverride<&Win32Api::FreeLibrary> m_free{[this](HMODULE h) {
        m_freed.push_back(h);
        return ::FreeLibrary(h);
    }};
};

TEST_F(Wow64Query, ThirtyTwoBitSystemIsNotWow64)
{
    EXPECT_EQ(0, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, SystemWithoutTheFunctionCannotBeTold)
{
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(IsWow64ProcessAt(nullptr));
    EXPECT_EQ(-1, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, FailedCallCannotBeTold)
{
    WinapiFunction<BOOL(HANDLE, PBOOL)> failing([](HANDLE, PBOOL) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });
    ScopedApiOverride<&Win32Api::GetProcAddress> lookup(IsWow64ProcessAt(failing.proc()));
    EXPECT_EQ(-1, QueryWow64());
    ExpectLibraryFreed();
}

TEST_F(Wow64Query, KernelThatCannotBeLoadedCannotBeTold)
{
    ScopedApiOverride<&Win32Api::LoadLibraryExA> load([](LPCSTR, HANDLE, DWORD) -> HMODULE {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    });
    EXPECT_EQ(-1, QueryWow64());
    EXPECT_TRUE(m_freed.empty());
}

// ---------------------------------------------------------------------------
// The flags

TEST(PlatformFlags, EachFlagIsTrueOnlyForAnAnswerOfOne)
{
    ScopedPlatformFlags restore(false, false);
    {
        WinapiFunction<BOOL(HANDLE, PBOOL)> isWow64([](HANDLE, PBOOL wow64) {
            *wow64 = TRUE;
            return TRUE;
        });
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup(IsWow64ProcessAt(isWow64.proc()));
        ScopedApiOverride<&Win32Api::QueryServiceStatus> status([](SC_HANDLE, LPSERVICE_STATUS status) {
            status->dwCurrentState = SERVICE_RUNNING;
            return TRUE;
        });
        InitPlatformFlags();
        EXPECT_EQ(TRUE, RunningOnWow64());
        EXPECT_EQ(TRUE, TerminalServicesActive());
    }
    {
        // Both queries give -1.
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup(IsWow64ProcessAt(nullptr));
        ScopedApiOverride<&Win32Api::OpenSCManagerA> manager([](LPCSTR, LPCSTR, DWORD) -> SC_HANDLE {
            SetLastError(ERROR_ACCESS_DENIED);
            return nullptr;
        });
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
