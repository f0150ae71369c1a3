// The lines that frame one run in the log file: after many runs on many
// machines into one log, each run must say when, where, by whom and with
// what it ran, and how it ended. They go to the log only; a redirected
// standard output gets the step lines alone, so that /list stays one line
// per printer there.
#pragma once

#include <string>

// What a run did to the machine, as its last line tells it.
enum RunChange {
    RunChangedNothing,  // it writes nothing (a listing, a check), or it stopped or failed before
                        // everything was in place
    RunNothingToChange, // every record and file was in place already: nothing was written
    RunChanged,         // a record, a file or a name was changed
    RunChangeUnknown,   // it died of an internal error: what it wrote before is told in the lines above
};

// "YYYY-MM-DD HH:MM:SS" of the local time, the tool's version, the
// computer's name, the user's name and the command line as given.
std::string RunOpeningLine(const std::string& commandLine);
// The exit code and what it means (followed by cause, when given), the time
// the run took (in milliseconds) and what it changed.
// command: the run's command switch ("/check", "/sets"), for a code whose
// meaning differs by command.
std::string RunClosingLine(int code, unsigned long elapsedMs, RunChange change,
                           const std::string& cause = std::string(), const std::string& command = std::string());
// What an exit code means, as the usage text's table says it; empty for a
// code the table does not list.
std::string ExitCodeMeaning(int code);
// The same for the run of one command: where the table gives the code one
// meaning per command ("/check: ...。/sets: ...。"), the command's own, without
// its name; else the whole meaning.
std::string ExitCodeMeaning(int code, const std::string& command);

// The driver settings file as the lines about a record name it: its path,
// and, while Terminal Services run, that it is the file of the user the run
// runs as (another user's printers read another file).
std::string DriverIniText();
