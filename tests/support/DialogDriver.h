// Answers the modal dialogs that code under test shows on the test's own
// thread, from a helper thread, as a user would: each step waits for a
// visible dialog window of that thread with the given caption, then acts on
// it (reads its texts, types, clicks). The code under test runs its modal
// loops meanwhile, so messages sent to its windows are handled there.
//
//   DialogDriver driver({
//       {copyErrorCaption, [&](HWND dlg) { seen = DialogItemText(dlg, 1010);
//                                           ClickButton(dlg, IDCANCEL); }},
//   });
//   EXPECT_FALSE(ConfirmSourceFile(nullptr, path));
//   driver.Finish();
//   EXPECT_EQ(driver.Done(), 1);
//   EXPECT_EQ(driver.Unexpected(), 0);
//
// A dialog that a step's caption does not name in time, or any dialog still
// appearing after the last step, is closed with IDCANCEL and counted as
// unexpected, so a test that goes wrong fails rather than hangs.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct DialogStep {
    DialogStep(std::string caption, std::function<void(HWND)> action, bool waitForClose = true, bool repeat = false,
               std::function<bool(HWND)> accepts = {})
        : caption(std::move(caption)), action(std::move(action)), waitForClose(waitForClose), repeat(repeat),
          accepts(std::move(accepts))
    {
    }

    // Code page bytes, as GetWindowTextA gives them; empty for any dialog of
    // the thread that was not up when the driver started.
    std::string caption;
    std::function<void(HWND)> action; // runs on the helper thread
    // Wait until the dialog is closed or hidden before the next step; false
    // for a step that leaves it open (a click that opens another dialog).
    bool waitForClose;
    // Answer every such dialog until Finish (a dialog the code under test may
    // show any number of times, such as a main dialog each start shows);
    // steps after a repeating one are never reached.
    bool repeat;
    // When set, only a dialog it accepts is this step's (a main dialog tells
    // itself from a window of the same caption by its controls).
    std::function<bool(HWND)> accepts;
};

class DialogDriver : Uncopyable {
public:
    explicit DialogDriver(std::vector<DialogStep> steps, DWORD stepTimeoutMs = 10000);
    ~DialogDriver();

    // Stops watching and waits for the helper thread. Done and Unexpected
    // are final afterwards.
    void Finish();
    // Finishes; holds when exactly `steps` steps were done and no dialog was
    // unexpected.
    ::testing::AssertionResult FinishAfter(int steps);

    // Steps whose dialog appeared and whose action was started (each answer
    // of a repeating step counts): once an action has ended its dialog, the
    // test's thread sees it counted.
    int Done() const { return m_done; }
    // Dialogs closed because no step expected them.
    int Unexpected() const { return m_unexpected; }

private:
    void Run();
    HWND WaitForDialog(const DialogStep& step, DWORD timeoutMs);
    void RunRepeating(const DialogStep& step);
    void CancelStrayDialogs();

    std::vector<DialogStep> m_steps;
    std::vector<HWND> m_existing; // visible dialogs of the thread at the start
    DWORD m_timeoutMs;
    DWORD m_threadId;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_done{0};
    std::atomic<int> m_unexpected{0};
    std::thread m_thread;
};

// Helpers for the steps' actions; each works across threads.
// The text of a dialog's control.
std::string DialogItemText(HWND dialog, int id);
// Clicks a button and returns when its handler has run.
void ClickButton(HWND dialog, int id);
// Clicks a button without waiting for its handler (for a button that opens
// another modal dialog).
void PostClick(HWND dialog, int id);
// Sets the text of a dialog's control, as typing it would (EN_CHANGE follows).
void SetItemText(HWND dialog, int id, const std::string& text);
// Presses and releases a key in the dialog's focused control (or the dialog),
// through the message queue, so the modal loop handles it as typed.
void PressKey(HWND dialog, UINT vk);
