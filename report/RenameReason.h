// A rename the spooler refused, with its reason: the spooler may refuse
// without one (SetPrinter failing with no last error, as Wine's does), and
// the line must then say so rather than end as if a reason were missing.
#pragma once

#include <windows.h>

#include <string>

// text, a colon and the system's reason for error; where there is none,
// text with the words that the spooler gave no reason.
std::string WithRenameReason(const std::string& text, DWORD error);
