// QueryTerminalServices against the real service manager. Each test runs in
// a private prefix, where "TermService" exists and is stopped until a test
// starts or deletes it.
#include "platform/PlatformFlags.h"
#include "support/ApiOverride.h"
#include "support/ScopedPlatformFlags.h"
#include "support/WineMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The service handles the query opens and closes, and what it asked for.
struct ServiceCalls {
    std::vector<SC_HANDLE> opened;
    std::vector<SC_HANDLE> closed;
    DWORD managerAccess = 0;
    bool managerLocalDefault = false; // local machine, default database
    std::string serviceName;
    DWORD serviceAccess = 0;
};
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

bool DeleteTermService()
{
    TestServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    TestServiceHandle service(manager.get() ? ::OpenServiceA(manager.get(), "TermService", DELETE) : nullptr);
    return service.get() && ::DeleteService(service.get());
}

class TermServiceQuery : public ::testing::Test {
protected:
    // Every handle opened was closed, once.
    void ExpectAllClosed(size_t expectedOpened)
    {
        std::vector<SC_HANDLE> opened = m_calls.opened;
        std::vector<SC_HANDLE> closed = m_calls.closed;
        std::sort(opened.begin(), opened.end());
        std::sort(closed.begin(), closed.end());
        EXPECT_EQ(expectedOpened, opened.size());
        EXPECT_EQ(opened, closed);
    }

    // The recording stand-ins pass every call on to the system.
    ServiceCalls m_calls;
    ScopedApiOverride<&Win32Api::OpenSCManagerA> m_manager{[this](LPCSTR machine, LPCSTR database, DWORD access) {
        m_calls.managerAccess = access;
        m_calls.managerLocalDefault = machine == nullptr && database == nullptr;
        return Opened(::OpenSCManagerA(machine, database, access));
    }};
    ScopedApiOverride<&Win32Api::OpenServiceA> m_service{[this](SC_HANDLE manager, LPCSTR name, DWORD access) {
        m_calls.serviceName = name ? name : "";
        m_calls.serviceAccess = access;
        return Opened(::OpenServiceA(manager, name, access));
    }};
    ScopedApiOverride<&Win32Api::CloseServiceHandle> m_close{[this](SC_HANDLE h) {
        m_calls.closed.push_back(h);
        return ::CloseServiceHandle(h);
    }};

private:
    SC_HANDLE Opened(SC_HANDLE h)
    {
        if (h)
            m_calls.opened.push_back(h);
        return h;
    }
};

TEST_F(TermServiceQuery, StoppedServiceIsInactive)
{
    EXPECT_EQ(0, QueryTerminalServices());
    ExpectAllClosed(2);
}

TEST_F(TermServiceQuery, AsksForNoMoreThanReadingTheStatus)
{
    QueryTerminalServices();
    EXPECT_TRUE(m_calls.managerLocalDefault);
    EXPECT_EQ(static_cast<DWORD>(GENERIC_READ), m_calls.managerAccess);
    EXPECT_EQ("TermService", m_calls.serviceName);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_QUERY_STATUS), m_calls.serviceAccess);
}

TEST_F(TermServiceQuery, RunningServiceIsActive)
{
    ASSERT_TRUE(StartTerminalServices());
    EXPECT_EQ(1, QueryTerminalServices());
    ExpectAllClosed(2);
}

TEST_F(TermServiceQuery, RunningServiceSetsTheFlag)
{
    ASSERT_TRUE(StartTerminalServices());
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
    ScopedApiOverride<&Win32Api::OpenSCManagerA> refuse([](LPCSTR, LPCSTR, DWORD) -> SC_HANDLE {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    });
    EXPECT_EQ(-1, QueryTerminalServices());
    EXPECT_TRUE(m_calls.closed.empty());
}

TEST_F(TermServiceQuery, FailedStatusQueryCannotBeToldAndClosesBothHandles)
{
    ScopedApiOverride<&Win32Api::QueryServiceStatus> fail([](SC_HANDLE, LPSERVICE_STATUS) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });
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
    // A service status that the system does not let a test produce.
    DWORD reportedState = 0;
    bool statusZeroOnEntry = true;
    ScopedApiOverride<&Win32Api::QueryServiceStatus> fake([&](SC_HANDLE, LPSERVICE_STATUS status) {
        const SERVICE_STATUS zero = {};
        if (std::memcmp(status, &zero, sizeof(zero)) != 0)
            statusZeroOnEntry = false;
        status->dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
        status->dwCurrentState = reportedState;
        return TRUE;
    });
    for (const auto& r : rows) {
        SCOPED_TRACE("service state " + std::to_string(r.state));
        m_calls = ServiceCalls();
        reportedState = r.state;
        EXPECT_EQ(r.expected, QueryTerminalServices());
        ExpectAllClosed(2);
    }
    EXPECT_TRUE(statusZeroOnEntry);
}

} // namespace
