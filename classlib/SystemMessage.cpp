#include "classlib/SystemMessage.h"

#include "classlib/LineBreaks.h"

std::string SystemMessage(DWORD error)
{
    if (error == 0)
        return std::string();
    char* buffer = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0 || !buffer)
        return std::string();
    const std::string text(buffer, length);
    ::LocalFree(buffer);
    // The system ends its texts with a line break; inside a report they
    // stand on one line.
    return OnOneLine(text);
}

std::string WithReason(const std::string& text, DWORD error)
{
    const std::string reason = SystemMessage(error);
    return reason.empty() ? text : text + ": " + reason;
}
