// QueryTerminalServices against the real service manager. Each test runs in
// a private prefix, where "TermService" exists and is stopped until a test
// starts or deletes it.
#include "platform/PlatformFlags.h"

#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The service handles the query opens and closes. The recording fakes pass
// every call on to the system.
struct ServiceCalls {
    std::vector<SC_HANDLE> opened;
    std::vector<SC_HANDLE> closed;
    DWORD managerAccess = 0;
    bool managerLocalDefault = false; // local machine, default database
    std::string serviceName;
    DWORD serviceAccess = 0;
};
ServiceCalls g_calls;

SC_HANDLE WINAPI RecordingOpenSCManagerA(LPCSTR machine, LPCSTR database, DWORD access)
{
    g_calls.managerAccess = access;
    g_calls.managerLocalDefault = machine == nullptr && database == nullptr;
    SC_HANDLE h = ::OpenSCManagerA(machine, database, access);
    if (h)
        g_calls.opened.push_back(h);
    return h;
}

SC_HANDLE WINAPI RecordingOpenServiceA(SC_HANDLE manager, LPCSTR name, DWORD access)
{
    g_calls.serviceName = name ? name : "";
    g_calls.serviceAccess = access;
    SC_HANDLE h = ::OpenServiceA(manager, name, access);
    if (h)
        g_calls.opened.push_back(h);
    return h;
}

BOOL WINAPI RecordingCloseServiceHandle(SC_HANDLE h)
{
    g_calls.closed.push_back(h);
    return ::CloseServiceHandle(h);
}

SC_HANDLE WINAPI RefusedOpenSCManagerA(LPCSTR, LPCSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
}

// A service status that the system does not let a test produce.
DWORD g_reportedState = 0;
bool g_statusZeroOnEntry = true;

BOOL WINAPI FakeQueryServiceStatus(SC_HANDLE, LPSERVICE_STATUS status)
{
    const SERVICE_STATUS zero = {};
    if (std::memcmp(status, &zero, sizeof(zero)) != 0)
        g_statusZeroOnEntry = false;
    status->dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
    status->dwCurrentState = g_reportedState;
    return TRUE;
}

BOOL WINAPI FailingQueryServiceStatus(SC_HANDLE, LPSERVICE_STATUS)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// A service handle of the test's own, closed with the system's call.
class TestServiceHandle {
public:
    explicit TestServiceHandle(SC_HANDLE h) : m_h(h) {}
    ~TestServiceHandle()
    {
        if (m_h)
            ::CloseServiceHandle(m_h);
    }
    TestServiceHandle(const TestServiceHandle&) = delete;
    TestServiceHandle& operator=(const TestServiceHandle&) = delete;
    SC_HANDLE get() const { return m_h; }

private:
    SC_HANDLE m_h;
};

// Starts "TermService" as an administrator would and waits until the manager
// reports it running.
bool StartTermService()
{
    TestServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    TestServiceHandle service(manager.get() ? ::OpenServiceA(manager.get(), "TermService",
                                                             SERVICE_START | SERVICE_QUERY_STATUS)
                                            : nullptr);
    if (!service.get() || !::StartServiceA(service.get(), 0, nullptr))
        return false;
    for (int i = 0; i < 300; ++i) {
        SERVICE_STATUS status = {};
        if (!::QueryServiceStatus(service.get(), &status))
            return false;
        if (status.dwCurrentState == SERVICE_RUNNING)
            return true;
        Sleep(100);
    }
    return false;
}

bool DeleteTermService()
{
    TestServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    TestServiceHandle service(manager.get() ? ::OpenServiceA(manager.get(), "TermService", DELETE)
                                            : nullptr);
    return service.get() && ::DeleteService(service.get());
}

class TermServiceQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls = ServiceCalls();
        g_statusZeroOnEntry = true;
    }

    // Every handle opened was closed, once.
    void ExpectAllClosed(size_t expectedOpened)
    {
        std::vector<SC_HANDLE> opened = g_calls.opened;
        std::vector<SC_HANDLE> closed = g_calls.closed;
        std::sort(opened.begin(), opened.end());
        std::sort(closed.begin(), closed.end());
        EXPECT_EQ(expectedOpened, opened.size());
        EXPECT_EQ(opened, closed);
    }

    ScopedApiOverride<&Win32Api::OpenSCManagerA> m_manager{&RecordingOpenSCManagerA};
    ScopedApiOverride<&Win32Api::OpenServiceA> m_service{&RecordingOpenServiceA};
    ScopedApiOverride<&Win32Api::CloseServiceHandle> m_close{&RecordingCloseServiceHandle};
};

TEST_F(TermServiceQuery, StoppedServiceIsInactive)
{
    EXPECT_EQ(0, QueryTerminalServices());
    ExpectAllClosed(2);
}

TEST_F(TermServiceQuery, AsksForNoMoreThanReadingTheStatus)
{
    QueryTerminalServices();
    EXPECT_TRUE(g_calls.managerLocalDefault);
    EXPECT_EQ(static_cast<DWORD>(GENERIC_READ), g_calls.managerAccess);
    EXPECT_EQ("TermService", g_calls.serviceName);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_QUERY_STATUS), g_calls.serviceAccess);
}

TEST_F(TermServiceQuery, RunningServiceIsActive)
{
    ASSERT_TRUE(StartTermService());
    EXPECT_EQ(1, QueryTerminalServices());
    ExpectAllClosed(2);
}

TEST_F(TermServiceQuery, RunningServiceSetsTheFlag)
{
    ASSERT_TRUE(StartTermService());
    ScopedPlatformFlags restore(false, false);
    InitPlatformFlags();
    EXPECT_TRUE(TerminalServicesActive());
    EXPECT_FALSE(RunningOnWow64()); // a 32-bit prefix
}

TEST_F(TermServiceQuery, MissingServiceCannotBeTold)
{
    ASSERT_TRUE(DeleteTermService());
    EXPECT_EQ(-1, QueryTerminalServices());
    ExpectAllClosed(1); // the manager
}

TEST_F(TermServiceQuery, RefusedManagerCannotBeTold)
{
    ScopedApiOverride<&Win32Api::OpenSCManagerA> refuse(&RefusedOpenSCManagerA);
    EXPECT_EQ(-1, QueryTerminalServices());
    EXPECT_TRUE(g_calls.closed.empty());
}

TEST_F(TermServiceQuery, FailedStatusQueryCannotBeToldAndClosesBothHandles)
{
    ScopedApiOverride<&Win32Api::QueryServiceStatus> fail(&FailingQueryServiceStatus);
    EXPECT_EQ(-1, QueryTerminalServices());
    ExpectAllClosed(2);
}

TEST_F(TermServiceQuery, PausedAndPendingStatesCountAsActive)
{
    struct {
        DWORD state;
        int expected;
    } const rows[] = {
        {SERVICE_STOPPED, 0},
        {SERVICE_START_PENDING, 1},
        {SERVICE_STOP_PENDING, 1},
        {SERVICE_RUNNING, 1},
        {SERVICE_CONTINUE_PENDING, 1},
        {SERVICE_PAUSE_PENDING, 1},
        {SERVICE_PAUSED, 1},
        {0, 0},
        {8, 0},
    };
    ScopedApiOverride<&Win32Api::QueryServiceStatus> fake(&FakeQueryServiceStatus);
    for (const auto& r : rows) {
        SCOPED_TRACE("service state " + std::to_string(r.state));
        g_calls = ServiceCalls();
        g_reportedState = r.state;
        EXPECT_EQ(r.expected, QueryTerminalServices());
        ExpectAllClosed(2);
    }
    EXPECT_TRUE(g_statusZeroOnEntry);
}

} // namespace
