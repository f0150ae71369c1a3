// Two facts about the machine that several decisions depend on: whether this
// 32-bit program runs under WOW64 (file-system redirection must then be
// switched off around accesses to the native system directory), and whether
// Terminal Services run (the driver settings file is then kept per user).
// Both are determined once, while the application object is constructed, and
// only read afterwards.
#pragma once

#include <windows.h>

// -1 when it cannot be told (no kernel32, a system without IsWow64Process, a
// failed call), 1 under WOW64, else 0.
int QueryWow64();

// The machine type of the running Windows itself (IMAGE_FILE_MACHINE_AMD64,
// IMAGE_FILE_MACHINE_ARM64 ...) as IsWow64Process2 reports it;
// IMAGE_FILE_MACHINE_UNKNOWN when it cannot be told (a system before
// Windows 10 1709 lacks the function, or the call fails). Asked afresh on
// every call.
USHORT QueryNativeMachine();

// -1 when the service manager, the "TermService" service or its status
// cannot be had; 1 when the service is running, paused or in any pending
// state; 0 when it is stopped.
int QueryTerminalServices();

// Runs QueryWow64, then QueryTerminalServices, and keeps each flag true only
// for a result of 1. Called by the application object's constructor.
void InitPlatformFlags();

// Sets both flags at once: InitPlatformFlags, and tests that stand in for a
// machine, use it; nothing else writes them.
void SetPlatformFlags(bool runningOnWow64, bool terminalServicesActive);

// The flags: 0 or 1; 0 until they are set.
BOOL RunningOnWow64();
BOOL TerminalServicesActive();
