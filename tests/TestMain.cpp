// The test programs' main: GoogleTest's, and then a wait until every other
// thread of the process has got through its start before the process ends.
//
// GoogleTest starts a thread of its own the first time a thread uses one of
// its per-thread values (a SCOPED_TRACE, a failure): it waits for that thread
// to end, to free them. A test program that ends a few milliseconds later, on
// a busy machine, can end while that thread is still starting, and Wine then
// dies of a segmentation fault while ending the process (exit status 139,
// every case passed). So the program counts the threads that have started
// (a TLS callback, which runs once a thread has got through its start) and
// ends only when every thread the system lists for it has been counted.
#include "support/InstalledFilesReset.h"

#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

// Threads started (attached) and ended (detached) since the process began.
std::atomic<long> g_attached{0};
std::atomic<long> g_detached{0};

void NTAPI OnThreadEvent(PVOID, DWORD reason, PVOID)
{
    if (reason == DLL_THREAD_ATTACH)
        ++g_attached;
    else if (reason == DLL_THREAD_DETACH)
        ++g_detached;
}

// The threads the system lists for this process, this one included.
long ListedThreads()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    long count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    const DWORD self = GetCurrentProcessId();
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == self)
            ++count;
        entry.dwSize = sizeof entry;
    }
    CloseHandle(snapshot);
    return count;
}

// Waits until each listed thread but this one has been counted as started,
// at most a few seconds (a thread that never starts must not hang the run).
void WaitForStartingThreads()
{
    for (int i = 0; i < 5000; ++i) {
        const long listed = ListedThreads();
        if (listed < 0 || listed <= 1 + g_attached - g_detached)
            return;
        Sleep(1);
    }
}

// Each test starts on a machine where the tool has installed nothing.
class ForgetInstalledFilesAfterEachTest : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ForgetInstalledFiles(); }
};

} // namespace

// The C run-time calls every callback between .CRT$XLA and .CRT$XLZ.
extern "C" __attribute__((section(".CRT$XLY"), used)) const PIMAGE_TLS_CALLBACK kpxThreadEvents = OnThreadEvent;

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ForgetInstalledFilesAfterEachTest);
    const int result = RUN_ALL_TESTS();
    WaitForStartingThreads();
    return result;
}
