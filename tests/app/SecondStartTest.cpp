// A second start meets the running copy's window: it brings it forward when
// the window answers, and leaves it alone when its thread is busy or hung,
// instead of waiting for it.
#include "app/KPXSetupApp.h"
#include "support/ApiOverride.h"
#include "support/RunningCopyWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// A dialog-class window with the tool's title, owned by a thread of its own
// that either pumps its messages or stops answering until released.
class RunningCopyWindow {
public:
    RunningCopyWindow(const std::string& title, bool answers) : m_release(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = std::thread([this, title, answers] {
            m_window = CreateRunningCopyWindow(title);
            m_ready = true;
            if (answers) {
                while (MsgWaitForMultipleObjects(1, &m_release, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
                    MSG msg;
                    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                        DispatchMessageA(&msg);
                }
            } else {
                WaitForSingleObject(m_release, INFINITE); // busy: no message is handled
            }
            DestroyWindow(m_window);
        });
        while (!m_ready)
            Sleep(5);
    }
    ~RunningCopyWindow()
    {
        SetEvent(m_release);
        m_thread.join();
        CloseHandle(m_release);
    }
    HWND window() const { return m_window; }

private:
    HANDLE m_release;
    std::atomic<bool> m_ready{false};
    HWND m_window = nullptr;
    std::thread m_thread;
};

TEST(SecondStart, BringsAnAnsweringWindowForwardAndLeavesABusyOneAlone)
{
    for (bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "answering" : "busy");
        CKPXSetupApp app;
        app.InitApplication(GetModuleHandleA(nullptr));
        RunningCopyWindow running(app.m_strAppName, answers);
        ASSERT_NE(running.window(), nullptr);

        // The calls that wait for the window's thread are counted, not made.
        int broughtForward = 0;
        ScopedApiOverride<&Win32Api::BringWindowToTop> top([&](HWND) {
            ++broughtForward;
            return TRUE;
        });
        ScopedApiOverride<&Win32Api::SetForegroundWindow> foreground([&](HWND) {
            ++broughtForward;
            return TRUE;
        });
        ScopedApiOverride<&Win32Api::ShowWindow> show([&](HWND, int) {
            ++broughtForward;
            return TRUE;
        });

        EXPECT_TRUE(app.ActivateRunningCopy()); // found either way: this start ends
        EXPECT_EQ(broughtForward, answers ? 2 : 0);
    }
}

} // namespace
