// Closes the tool's main dialog when it appears in this process, as a user
// pressing Close would, so that a test can run start-up (whose dialog is
// modal) to its end. A helper thread watches for a visible dialog with the
// printer list and the given caption, calls onShown with it while it is up,
// then presses Close.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

class MainDialogCloser {
public:
    explicit MainDialogCloser(const std::string& caption, std::function<void(HWND)> onShown = {});
    ~MainDialogCloser();
    MainDialogCloser(const MainDialogCloser&) = delete;
    MainDialogCloser& operator=(const MainDialogCloser&) = delete;

    // Replaces the callback for the dialogs still to come.
    void onShown(std::function<void(HWND)> callback);

    // How many main dialogs were seen and closed so far.
    int closed() const { return m_closed; }

private:
    void Watch();

    std::string m_caption;
    std::mutex m_lock;  // guards m_onShown
    std::function<void(HWND)> m_onShown;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_closed{0};
    std::thread m_thread;
};
