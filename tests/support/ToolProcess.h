// Runs a copy of the built KPXSETUP.EXE as a separate process and looks at it
// from outside, as a user would: its top-level windows, message box texts,
// buttons. The executable's Linux path comes from the environment (KPX_EXE),
// set by ctest.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The built program as a Windows path, or empty when KPX_EXE is not set,
// and its help file beside it.
std::string BuiltToolPath();
std::string BuiltHelpFilePath();

class ToolProcess : Uncopyable {
public:
    ToolProcess() = default;
    ~ToolProcess(); // ends the process if it still runs

    // Starts the executable at path (its directory as working directory).
    bool Start(const std::string& path);
    // The same with arguments after the quoted path, as a script starts it,
    // and the process's standard output set to output: an inheritable
    // handle (a redirection), or null for none at all (Explorer's start).
    bool Start(const std::string& path, const std::string& arguments, HANDLE output);
    // Waits until the process has ended, handling this thread's messages
    // meanwhile (the tool may send messages to windows of this process).
    bool WaitForExit(DWORD timeoutMs);
    bool Running() const;
    DWORD ExitCode() const;

    // A visible top-level window of the process with that class name
    // ("#32770" for dialogs and message boxes), or null after the timeout.
    HWND WaitForWindow(const char* className, DWORD timeoutMs) const;
    // A visible dialog or message box of the process with exactly that
    // caption (code page bytes, as GetWindowTextA gives them), or null.
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs) const;
    // The same for a message box only (a dialog with the message static),
    // so that a box is told from a dialog with the same caption.
    HWND WaitForMessageBox(const std::string& caption, DWORD timeoutMs) const;
    // Every visible top-level window of the process, for failure messages
    // and for checks that no further window is up.
    std::vector<HWND> VisibleWindows() const;
    DWORD Id() const { return m_info.dwProcessId; }
    // A visible dialog or message box that neither this process nor the
    // tool owns: one that a program the tool started shows (a help engine),
    // or null after the timeout.
    HWND WaitForOtherProgramsDialog(DWORD timeoutMs) const;

private:
    PROCESS_INFORMATION m_info = {};
};

// The text of a message box's message and its caption.
std::string MessageBoxText(HWND box);
std::string WindowText(HWND window);
// A control's text of any length, also an edit's of another process (which
// GetWindowTextA does not ask for).
std::string ControlText(HWND control);
// Presses a button of a dialog or message box as a click would.
void PressButton(HWND dialog, int id);
// Handles this thread's pending messages for up to ms milliseconds.
void PumpMessages(DWORD ms);
// Waits until the condition holds, handling this thread's messages
// meanwhile; false when it still does not after the timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// Waits until the window is gone or hidden; false after the timeout.
bool WaitForWindowToClose(HWND window, DWORD timeoutMs);

// The visible top-level windows, in the system's order, for which match is
// true; FindTopLevelWindow gives the first one (or null).
std::vector<HWND> VisibleTopLevelWindows(const std::function<bool(HWND)>& match);
HWND FindTopLevelWindow(const std::function<bool(HWND)>& match);
// The process a window belongs to, and its class name.
DWORD WindowProcessId(HWND window);
std::string WindowClassName(HWND window);
// "caption [class]" of each window, one a line, converted to UTF-8.
std::string DescribeWindows(const std::vector<HWND>& windows);
