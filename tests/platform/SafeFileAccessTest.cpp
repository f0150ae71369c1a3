// The redirection-safe calls on a 32-bit system, and the order of the
// redirection switch around one call (through the seam, since only a 64-bit
// system has the switch; the WOW64 test shows where the files land). And
// the existence test of sources and settings while another program has them.
#include "platform/SafeFileAccess.h"

#include "classlib/FileStatus.h"
#include "classlib/Handle.h"
#include "platform/FileReadable.h"
#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/WinapiFunction.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace {

class SafeFileAccess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(WriteFileBytes(m_source, "profile bytes")); }

    // LoadLibraryExA counts its calls in m_loads.
    void CountLoads()
    {
        m_load.emplace([this](LPCSTR name, HANDLE file, DWORD flags) {
            ++m_loads;
            return ::LoadLibraryExA(name, file, flags);
        });
    }

    // The redirection switch answers through the lookup, and every step of
    // one safe call (lookups, switch, the call itself, release) is recorded
    // in m_events; the call fails as a refused open. Without a revert entry
    // the lookup of it fails.
    void RecordSwitch(bool withRevert)
    {
        m_lookup.emplace([this, withRevert](HMODULE, LPCSTR name) -> FARPROC {
            m_events.push_back(std::string("lookup ") + name);
            if (std::string(name) == "Wow64DisableWow64FsRedirection")
                return m_disable.proc();
            if (std::string(name) == "Wow64RevertWow64FsRedirection" && withRevert)
                return m_revert.proc();
            return nullptr;
        });
        m_free.emplace([this](HMODULE module) {
            m_events.push_back("free");
            return ::FreeLibrary(module);
        });
        RecordFailingCall();
    }

    void RecordFailingCall()
    {
        m_create.emplace([this](LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
            m_events.push_back("call");
            SetLastError(ERROR_ACCESS_DENIED);
            return INVALID_HANDLE_VALUE;
        });
    }

    TempDir m_dir;
    std::string m_source = m_dir.file("auto.kpx");
    std::vector<std::string> m_events;
    int m_loads = 0;
    WinapiFunction<BOOL(PVOID*)> m_disable{[this](PVOID* saved) {
        m_events.push_back(*saved == nullptr ? "disable(null)" : "disable(not null)");
        *saved = reinterpret_cast<PVOID>(0x1234);
        return TRUE;
    }};
    WinapiFunction<BOOL(PVOID)> m_revert{[this](PVOID saved) {
        m_events.push_back(saved == reinterpret_cast<PVOID>(0x1234) ? "revert(saved)" : "revert(other)");
        return TRUE;
    }};
    std::optional<ScopedApiOverride<&Win32Api::LoadLibraryExA>> m_load;
    std::optional<ScopedApiOverride<&Win32Api::GetProcAddress>> m_lookup;
    std::optional<ScopedApiOverride<&Win32Api::FreeLibrary>> m_free;
    std::optional<ScopedApiOverride<&Win32Api::CreateFileA>> m_create;
};

TEST_F(SafeFileAccess, WithoutWow64TheyAreThePlainCallsAndLoadNothing)
{
    ScopedPlatformFlags flags(false, false);
    CountLoads();

    EXPECT_TRUE(SafeSetFileAttributes(m_source.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_READONLY),
              SafeGetFileAttributes(m_source.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(SafeSetFileAttributes(m_source.c_str(), FILE_ATTRIBUTE_NORMAL));

    CFileStatus status;
    EXPECT_TRUE(SafeGetFileStatus(m_source.c_str(), status));
    EXPECT_EQ(13u, status.m_size);
    EXPECT_TRUE(SafeFilePresent(m_source.c_str()));
    EXPECT_FALSE(SafeFilePresent(m_dir.file("missing.kpx").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, SafeGetFileAttributes(m_dir.file("missing.kpx").c_str()));

    EXPECT_EQ(0, m_loads);
}

TEST_F(SafeFileAccess, OnASystemWithoutTheSwitchTheCallsStillWork)
{
    // A 32-bit system has the entry points, but switching fails there.
    ScopedPlatformFlags flags(true, false);
    CountLoads();
    EXPECT_TRUE(SafeSetFileAttributes(m_source.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(SafeFilePresent(m_source.c_str()));
    EXPECT_EQ(2, m_loads);
}

TEST_F(SafeFileAccess, SwitchIsOffForExactlyTheOneCallAndOnAgainAfterAFailure)
{
    ScopedPlatformFlags flags(true, false);
    RecordSwitch(true);

    EXPECT_FALSE(SafeFilePresent(m_source.c_str()));
    const std::vector<std::string> once = {"lookup Wow64DisableWow64FsRedirection",
                                           "lookup Wow64RevertWow64FsRedirection",
                                           "disable(null)",
                                           "call",
                                           "revert(saved)",
                                           "free"};
    EXPECT_EQ(once, m_events);

    // Nothing is kept from one call to the next.
    m_events.clear();
    EXPECT_FALSE(SafeFilePresent(m_source.c_str()));
    EXPECT_EQ(once, m_events);
}

TEST_F(SafeFileAccess, MissingEntryPointLeavesRedirectionAlone)
{
    ScopedPlatformFlags flags(true, false);
    RecordSwitch(false);

    SafeFilePresent(m_source.c_str());
    const std::vector<std::string> direct = {"lookup Wow64DisableWow64FsRedirection",
                                             "lookup Wow64RevertWow64FsRedirection", "call", "free"};
    EXPECT_EQ(direct, m_events);
}

TEST_F(SafeFileAccess, NoKernelLibraryMeansTheDirectCall)
{
    ScopedPlatformFlags flags(true, false);
    ScopedApiOverride<&Win32Api::LoadLibraryExA> load([&](LPCSTR, HANDLE, DWORD) -> HMODULE {
        m_events.push_back("load failed");
        return nullptr;
    });
    RecordFailingCall();
    SafeFilePresent(m_source.c_str());
    EXPECT_EQ((std::vector<std::string>{"load failed", "call"}), m_events);
}

TEST_F(SafeFileAccess, FileHeldOpenWithoutSharingExists)
{
    ScopedPlatformFlags flags(false, false);
    HANDLE held = CreateFileA(m_source.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_TRUE(SafeFilePresent(m_source.c_str()));
    CloseHandle(held);
    EXPECT_TRUE(SafeFilePresent(m_source.c_str()));
}

// A file another program reads, or holds alone for a moment, exists; one it
// holds alone throughout does not.
TEST(FileReadable, FileAnotherProgramReadsOrHoldsForAMomentExists)
{
    // Another program's sharing, and for how long it holds the file (ms).
    const std::tuple<DWORD, DWORD, bool> cases[] = {
        {FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, INFINITE, true}, // as a virus scanner reads
        {0, 200, true},
        {0, INFINITE, false}};
    TempDir dir;
    const std::string path = dir.file("KPXSETUP.INI");
    ASSERT_TRUE(WriteFileBytes(path, "[x]"));
    for (const auto& [sharing, heldFor, exists] : cases) {
        CFileHandle held(CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
        std::thread release([&held, wait = heldFor] {
            if (wait != INFINITE) {
                Sleep(wait);
                held.Reset();
            }
        });
        DWORD error = 0;
        EXPECT_EQ(FileReadable(path.c_str(), error), exists) << heldFor;
        release.join();
        EXPECT_EQ(error, exists ? 0 : static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
}

} // namespace
