#include "cmdline/RunLog.h"

#include "classlib/Win32Api.h"
#include "classlib/WinApp.h"
#include "platform/PlatformFlags.h"
#include "res/resource.h"
#include "settings/DriverIniLocation.h"

#include <cstdio>

namespace {

std::string LocalTimeText()
{
    SYSTEMTIME now = {};
    Win32().GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

std::string ComputerName()
{
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    return Win32().GetComputerNameA(name, &size) ? std::string(name) : std::string();
}

std::string RunUserName()
{
    // A user name has at most 256 characters (UNLEN).
    char name[257 * 2] = {};
    DWORD size = sizeof name;
    return Win32().GetUserNameA(name, &size) ? std::string(name) : std::string();
}

} // namespace

std::string RunOpeningLine(const std::string& commandLine)
{
    return FormatResString(IDS_LOG_OPENED, {LocalTimeText(), ComputerName(), RunUserName(), commandLine,
                                            LoadResString(IDS_PROGRAM_VERSION)});
}

std::string RunClosingLine(int code, unsigned long elapsedMs, RunChange change, const std::string& cause,
                           const std::string& command)
{
    // Plain words that do not depend on the language: a script counting the
    // runs that changed something reads them.
    static const char* const kChange[] = {"nothing changed", "nothing to change", "changed", "unknown"};
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%lu.%lu", elapsedMs / 1000, elapsedMs % 1000 / 100);
    const std::string meaning = ExitCodeMeaning(code, command);
    return FormatResString(IDS_LOG_CLOSED, {std::to_string(code), cause.empty() ? meaning : meaning + " " + cause,
                                            seconds, kChange[change]});
}

std::string ExitCodeMeaning(int code)
{
    // The usage text lists each code at the start of a line, followed by two
    // blanks and its meaning: one table for the usage and the log.
    const std::string usage = LoadResString(IDS_CMD_USAGE);
    const std::string head = "\n" + std::to_string(code) + "  ";
    const size_t at = usage.find(head);
    if (at == std::string::npos)
        return std::string();
    const size_t begin = at + head.size();
    const size_t end = usage.find('\n', begin);
    return usage.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

std::string ExitCodeMeaning(int code, const std::string& command)
{
    // "/check: A。/sets: B。": each command's part begins with its name and
    // ends with the full stop before the next name.
    const std::string meaning = ExitCodeMeaning(code);
    const std::string head = command + ": ";
    const std::string stop = "\x81\x42"; // "。"
    if (command.empty() || meaning.compare(0, 1, "/") != 0)
        return meaning;
    for (size_t at = 0; at < meaning.size();) {
        size_t end = meaning.find(stop + "/", at);
        end = end == std::string::npos ? meaning.size() : end + stop.size();
        if (meaning.compare(at, head.size(), head) == 0)
            return meaning.substr(at + head.size(), end - at - head.size());
        at = end;
    }
    return meaning;
}

std::string DriverIniText()
{
    const std::string path = CurrentDriverIniPath();
    if (!TerminalServicesActive())
        return path;
    return FormatResString(IDS_LOG_PER_USER, {path, RunUserName()});
}
