#include "install/FileInfoText.h"

ULONGLONG SizeInKilobytes(ULONGLONG bytes)
{
    ULONGLONG whole = bytes / 1024;
    ULONGLONG rest = bytes % 1024;
    if (whole == 0 && rest != 0)
        return 1;
    return rest >= 512 ? whole + 1 : whole;
}

std::string FormatLocalMinute(std::time_t time)
{
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
