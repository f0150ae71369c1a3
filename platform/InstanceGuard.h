// The single-instance guard both faces share: the name of the mutex that
// marks a running copy on this platform, whether another user's copy holds
// it, and taking it.
#pragma once

#include <windows.h>

// The machine-wide mutex, or the session mutex where that is the only guard
// there is (NT 4.0 and 95/98/Me).
const char* InstanceMutexName();
// The session mutex, also the guard of a start that shows the other-user
// message.
const char* SessionMutexName();

// The machine-wide mutex belongs to another user's copy (never on 9x and
// NT 4.0, which have only the session mutex).
bool OtherUserRuns();

// Creates and holds the instance mutex in mutex (the caller releases and
// closes it). False when another copy holds it (the handle is still set) or
// when it could not be made (mutex null, error the system's reason).
bool AcquireInstanceMutex(const char* name, HANDLE& mutex, DWORD& error);
