// Where an unattended run tells what it does: one line per step done or
// failed, each ended with CR LF, in the system code page, written to the log
// file when one is given and to the standard output handle when the caller
// gave the process one (a redirection into a file or a pipe; a program
// without a console has none otherwise).
#pragma once

#include "cmdline/LogFile.h"

#include <windows.h>
#include <string>

class CRunOutput {
public:
    // Takes the process's standard output handle when it is usable.
    CRunOutput();

    // Opens the log file for appending, creating it when missing; the lines
    // of every run are kept one after another, and a log grown past its
    // limit is rolled over first (cmdline/LogFile.h). Others may read and
    // append to it meanwhile (many machines may log into one file on a
    // share). False with error set to the reason when it cannot be opened or
    // is refused (a link, no disk file): see LogFailedLine.
    bool OpenLog(const std::string& path, DWORD& error);

    // The log is open.
    bool HasLog() const { return m_log.IsOpen(); }
    // The caller redirected the standard output.
    bool HasStandardOutput() const { return m_stdOutput != nullptr; }

    // Writes text as lines: each "\n" inside it ends a line, and a last
    // line without one is ended as well.
    void Line(const std::string& text);
    // The same to the standard output only (the usage, the printer list's
    // answer to the caller).
    void StandardOutputLine(const std::string& text);
    // The same to the log only (the lines that open and close a run). A run
    // that opens a log holding earlier runs is set apart by a blank line.
    void LogLine(const std::string& text);
    void OpenRunInLog(const std::string& openingLine);

private:
    static std::string AsLines(const std::string& text);
    static void Write(HANDLE file, const std::string& bytes);

    HANDLE m_stdOutput = nullptr; // the process's own handle: not ours to close
    CLogFile m_log;
};

// The line that tells why the log cannot be used: the path, and the system's
// reason or the refusal's (OpenLog's error).
std::string LogFailedLine(const std::string& path, DWORD error);

// A message of the dialogs as one output line: its line breaks go (the
// Japanese sentences need no blank between them).
std::string OneLine(std::string text);
