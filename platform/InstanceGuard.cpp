#include "platform/InstanceGuard.h"

#include "classlib/Handle.h"
#include "classlib/Win32Api.h"
#include "platform/OsClass.h"

namespace {

const char kGlobalMutexName[] = "Global\\KPXSetupMutex";
const char kSessionMutexName[] = "LocalKPXSetupMutex";

// MUTEX_ALL_ACCESS: the rights a copy of our own user gets on the mutex.
const DWORD kMutexAllAccess = 0x1F0001;

} // namespace

const char* InstanceMutexName()
{
    // NT 4.0 has no machine-wide namespace, and 95/98/Me refuse a backslash
    // in an object name and have one session anyway: the session mutex is
    // the only guard there.
    const OsClass os = GetOsClass();
    return os == OsNT4 || os == OsWin9x ? kSessionMutexName : kGlobalMutexName;
}

const char* SessionMutexName()
{
    return kSessionMutexName;
}

bool OtherUserRuns()
{
    if (InstanceMutexName() != kGlobalMutexName)
        return false;
    // Only a copy of another user's makes the open fail for access.
    CHandle existing(Win32().OpenMutexA(kMutexAllAccess, FALSE, kGlobalMutexName));
    return !existing.IsValid() && GetLastError() == ERROR_ACCESS_DENIED;
}

bool AcquireInstanceMutex(const char* name, HANDLE& mutex, DWORD& error)
{
    mutex = Win32().CreateMutexA(nullptr, TRUE, name);
    const DWORD lastError = GetLastError();
    error = mutex ? 0 : lastError;
    return mutex && lastError != ERROR_ALREADY_EXISTS;
}
