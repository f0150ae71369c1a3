// The last-write time as the overwrite question shows it (declared in
// FileInfoText.h beside the size); kept apart from the size rule, which is
// pure and also builds outside Windows.
#include "ui/FileInfoText.h"

#include <cstdio>
#include <ctime>

namespace {

std::string FormatSystemLocalMinute(FileSeconds time)
{
    if (time < 0)
        return std::string();
    const FILETIME utc = ToFileTime(time);
    FILETIME local;
    SYSTEMTIME parts;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToSystemTime(&local, &parts))
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u", parts.wYear, parts.wMonth, parts.wDay, parts.wHour,
                  parts.wMinute);
    return text;
}

} // namespace

std::string FormatLocalMinute(FileSeconds seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    if (time != seconds)
        return FormatSystemLocalMinute(seconds);

    // The run-time library's local time: the system's time zone, or the
    // TZ variable when the environment sets one. Copied at once, since the
    // library hands out one shared structure.
    const std::tm* shared = std::localtime(&time);
    if (!shared)
        return std::string();
    std::tm local = *shared;
    char text[128];
    size_t length = std::strftime(text, sizeof(text), "%Y/%m/%d %H:%M", &local);
    return std::string(text, length);
}
