// The process's peak working set and peak committed memory in bytes, through
// GetProcessMemoryInfo looked up at run time (psapi.dll, as on NT 4.0), so the
// programs that report it import nothing new. Zeros where it is missing.
#pragma once

#include "scripts/bench/BenchHandles.h"

#include <windows.h>

struct BenchMemory {
    unsigned long long peakWorkingSet = 0;
    unsigned long long peakCommitted = 0;
};

inline BenchMemory ReadBenchMemory()
{
    // PROCESS_MEMORY_COUNTERS, declared here so psapi.h is not needed.
    struct Counters {
        DWORD cb;
        DWORD PageFaultCount;
        SIZE_T PeakWorkingSetSize;
        SIZE_T WorkingSetSize;
        SIZE_T QuotaPeakPagedPoolUsage;
        SIZE_T QuotaPagedPoolUsage;
        SIZE_T QuotaPeakNonPagedPoolUsage;
        SIZE_T QuotaNonPagedPoolUsage;
        SIZE_T PagefileUsage;
        SIZE_T PeakPagefileUsage;
    };
    using QueryFn = BOOL(WINAPI*)(HANDLE, Counters*, DWORD);
    BenchMemory memory;
    CBenchLibrary psapi(LoadLibraryA("psapi.dll"));
    if (!psapi.IsValid())
        return memory;
    auto query =
        reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(psapi.Get(), "GetProcessMemoryInfo")));
    Counters counters = {};
    counters.cb = sizeof(counters);
    if (query && query(GetCurrentProcess(), &counters, sizeof(counters))) {
        memory.peakWorkingSet = counters.PeakWorkingSetSize;
        memory.peakCommitted = counters.PeakPagefileUsage;
    }
    return memory;
}
