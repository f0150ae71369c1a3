// Where an unattended run tells what it does: one line per step done or
// failed, each ended with CR LF, in the system code page, written to the log
// file when one is given and to the standard output handle when the caller
// gave the process one (a redirection into a file or a pipe; a program
// without a console has none otherwise). With /csv the standard output gets
// rows instead: a header, then one row per printer (or set file), each with
// the lines the log has about it as its detail.
#pragma once

#include "cmdline/CsvText.h"
#include "cmdline/LogFile.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

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

    // /csv: the standard output gets the layout's header now and rows from
    // then on, instead of the lines, which still go to the log as they are.
    void StartCsv(CsvLayout layout);
    bool WritesCsv() const { return m_csv; }
    // A line about one printer (it starts with the printer's name), written
    // as Line writes it; with /csv also kept for the printer's row.
    void PrinterLine(const std::string& printer, const std::string& line);
    // With /csv, a line kept for the printer's row only: the lines written
    // told it otherwise (one line for several printers).
    void KeepPrinterLine(const std::string& printer, const std::string& line);
    // A line about one file target (a copy), written as Line writes it;
    // with /csv also kept for the rows of the printers that use the target.
    void TargetLine(const std::string& target, const std::string& line);
    // With /csv, one row on the standard output; nothing otherwise.
    void Row(const CsvRecord& record);
    // With /csv, the row of a printer (any command that handles printers,
    // one call per printer): its detail is the lines kept about the given
    // targets and then about the printer, each without the printer's name in
    // front; the printer's kept lines are dropped.
    void PrinterRow(const std::string& printer, const std::string& set, const char* result, int code,
                    const std::vector<std::string>& targets = {});
    // With /csv, ends the rows: a run that wrote none gets one, for the run
    // as a whole, with the result kCsvNone for code 0 and kCsvStopped for any
    // other, and every line of the run as its detail, then last when given
    // (a line the log has only in its closing line).
    void EndCsv(int code, const std::string& last = std::string());

private:
    static std::string AsLines(const std::string& text);
    static void Write(HANDLE file, const std::string& bytes);

    HANDLE m_stdOutput = nullptr; // the process's own handle: not ours to close
    CLogFile m_log;
    bool m_csv = false;
    CsvLayout m_layout = CsvPrinters;
    bool m_rowWritten = false;
    std::vector<std::string> m_runLines; // every line until the first row
    std::map<std::string, std::vector<std::string>> m_printerLines;
    std::vector<std::pair<std::string, std::string>> m_targetLines; // target, line
};

// The line that tells why the log cannot be used: the path, and the system's
// reason or the refusal's (OpenLog's error).
std::string LogFailedLine(const std::string& path, DWORD error);
