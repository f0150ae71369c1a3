// The boundary between C++ exceptions and the system's message dispatch.
// Window and dialog procedures, and the modal loop, catch everything their
// handlers throw (nothing may unwind through user32) and report it here; the
// message ends with the report and the window keeps running.
#pragma once

#include <windows.h>

#include <string>

// Call only inside a catch block. Shows a message box with a stop icon,
// owned by `owner` and captioned with the application title. The text is the
// system's message for the error the exception stands for (invalid argument,
// out of memory, also for a container asked to grow past what the process
// can address), or the class library's internal-error text when there is
// no such message.
void AfxReportCurrentException(HWND owner) noexcept;

// Call only inside a catch block. The text that report shows for the
// exception in flight (where no window shows it: the command line's log).
std::string AfxCurrentExceptionText();
