// The system's own text for an error code, in the system's language and code
// page, as one line.
#pragma once

#include <windows.h>

#include <string>

// Empty for 0 (no reason was given) and for a code the system has no text for.
std::string SystemMessage(DWORD error);

// text, a colon and the system's reason for error; text alone when the
// system gives no reason.
std::string WithReason(const std::string& text, DWORD error);
