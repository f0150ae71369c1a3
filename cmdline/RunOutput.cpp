#include "cmdline/RunOutput.h"

#include "classlib/LineBreaks.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "res/resource.h"

#include <algorithm>

CRunOutput::CRunOutput()
{
    // A GUI program started from Explorer, a shortcut or a service has no
    // standard output (null), or one that leads nowhere (FILE_TYPE_UNKNOWN).
    // A console, a file or a pipe given by the caller is written to.
    HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
    // cppcheck-suppress knownConditionTrueFalse ; it takes INVALID_HANDLE_VALUE (-1) for null
    if (output && output != INVALID_HANDLE_VALUE && ::GetFileType(output) != FILE_TYPE_UNKNOWN)
        m_stdOutput = output;
}

bool CRunOutput::OpenLog(const std::string& path, DWORD& error)
{
    error = m_log.Open(path);
    return error == 0;
}

void CRunOutput::Line(const std::string& text)
{
    const std::string bytes = AsLines(text);
    if (m_log.IsOpen())
        m_log.Append(bytes);
    // With /csv the lines reach the standard output only as rows' details.
    if (m_csv && !m_rowWritten)
        m_runLines.push_back(text);
    else if (m_stdOutput && !m_csv)
        Write(m_stdOutput, bytes);
}

void CRunOutput::StartCsv(CsvLayout layout)
{
    m_csv = true;
    m_layout = layout;
    if (m_stdOutput)
        Write(m_stdOutput, CsvHeader(layout));
}

void CRunOutput::PrinterLine(const std::string& printer, const std::string& line)
{
    Line(line);
    KeepPrinterLine(printer, line);
}

void CRunOutput::KeepPrinterLine(const std::string& printer, const std::string& line)
{
    if (m_csv) {
        // The row names the printer in a column of its own.
        const std::string prefix = printer + ": ";
        m_printerLines[printer].push_back(line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size())
                                                                                      : line);
    }
}

void CRunOutput::TargetLine(const std::string& target, const std::string& line)
{
    Line(line);
    if (m_csv)
        m_targetLines.emplace_back(target, line);
}

void CRunOutput::Row(const CsvRecord& record)
{
    if (!m_csv)
        return;
    m_rowWritten = true;
    m_runLines.clear();
    if (m_stdOutput)
        Write(m_stdOutput, CsvRecordRow(m_layout, record));
}

void CRunOutput::PrinterRow(const std::string& printer, const std::string& set, const char* result, int code,
                            const std::vector<std::string>& targets)
{
    if (!m_csv)
        return;
    std::vector<std::string> lines;
    for (const auto& told : m_targetLines) {
        if (std::find(targets.begin(), targets.end(), told.first) != targets.end())
            lines.push_back(told.second);
    }
    const auto kept = m_printerLines.find(printer);
    if (kept != m_printerLines.end()) {
        lines.insert(lines.end(), kept->second.begin(), kept->second.end());
        m_printerLines.erase(kept);
    }
    CsvRecord record;
    record.printer = printer;
    record.set = set;
    record.result = result;
    record.code = code;
    record.detail = JoinedLines(lines);
    Row(record);
}

void CRunOutput::EndCsv(int code, const std::string& last)
{
    if (!m_csv || m_rowWritten)
        return;
    if (!last.empty())
        m_runLines.push_back(last);
    CsvRecord record;
    record.result = code == 0 ? kCsvNone : kCsvStopped;
    record.code = code;
    record.detail = JoinedLines(m_runLines);
    Row(record);
}

void CRunOutput::LogLine(const std::string& text)
{
    if (m_log.IsOpen())
        m_log.Append(AsLines(text));
}

void CRunOutput::OpenRunInLog(const std::string& openingLine)
{
    if (!m_log.IsOpen())
        return;
    // The blank line goes before the new run rather than after the last one:
    // a run that ended without its closing line (a crash, a power cut) is
    // still set apart from the next.
    LogLine(m_log.Size() != 0 ? "\n" + openingLine : openingLine);
}

void CRunOutput::StandardOutputLine(const std::string& text)
{
    if (m_stdOutput && !m_csv)
        Write(m_stdOutput, AsLines(text));
}

std::string CRunOutput::AsLines(const std::string& text)
{
    std::string bytes = WithCrLf(text);
    if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0)
        bytes += "\r\n";
    return bytes;
}

void CRunOutput::Write(HANDLE file, const std::string& bytes)
{
    // A failed write (a full disk, a closed pipe) is not reported: there is
    // nowhere left to report it, and the exit code still tells the outcome.
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::string LogFailedLine(const std::string& path, DWORD error)
{
    const std::string text = FormatResString(IDS_CMD_LOG_FAILED, {path});
    if (error == kLogIsLink)
        return text + ": " + LoadResString(IDS_CMD_LOG_IS_LINK);
    if (error == kLogIsNoDiskFile)
        return text + ": " + LoadResString(IDS_CMD_LOG_NOT_DISK_FILE);
    return WithReason(text, error);
}
