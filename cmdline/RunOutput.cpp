#include "cmdline/RunOutput.h"

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
    m_log.Reset(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    error = m_log.IsValid() ? 0 : ::GetLastError();
    return m_log.IsValid();
}

void CRunOutput::Line(const std::string& text)
{
    const std::string bytes = AsLines(text);
    if (m_log.IsValid()) {
        // Another writer may have appended since the last line: each line
        // goes to the end as it is now.
        ::SetFilePointer(m_log.Get(), 0, nullptr, FILE_END);
        Write(m_log.Get(), bytes);
    }
    if (m_stdOutput)
        Write(m_stdOutput, bytes);
}

void CRunOutput::LogLine(const std::string& text)
{
    if (!m_log.IsValid())
        return;
    ::SetFilePointer(m_log.Get(), 0, nullptr, FILE_END);
    Write(m_log.Get(), AsLines(text));
}

void CRunOutput::OpenRunInLog(const std::string& openingLine)
{
    if (!m_log.IsValid())
        return;
    // The blank line goes before the new run rather than after the last one:
    // a run that ended without its closing line (a crash, a power cut) is
    // still set apart from the next.
    const DWORD size = ::GetFileSize(m_log.Get(), nullptr);
    LogLine(size != 0 && size != INVALID_FILE_SIZE ? "\n" + openingLine : openingLine);
}

void CRunOutput::StandardOutputLine(const std::string& text)
{
    if (m_stdOutput)
        Write(m_stdOutput, AsLines(text));
}

std::string CRunOutput::AsLines(const std::string& text)
{
    std::string bytes;
    for (const char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n')
            bytes += "\r\n";
        else
            bytes += c;
    }
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

std::string OneLine(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
    return text;
}
