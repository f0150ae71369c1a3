// The application started with the command line's switches: the start-up
// checks without a window, then the list or the apply. What the run does
// goes to the log file and the redirected standard output; how it ended is
// the exit code.
#pragma once

#include "cmdline/CommandLine.h"
#include "settings/ToolSettingsFile.h"

#include <windows.h>

#include <string>

// options: the parsed command line; commandLine: the arguments as given (a
// bad line is quoted whole when no single argument is to blame); toolFile:
// the tool settings file; mutex: receives the instance mutex, which the
// caller releases at the end. The exit code.
int RunUnattended(const CommandOptions& options, const std::string& commandLine, const CToolSettingsFile& toolFile,
                  HANDLE& mutex);
