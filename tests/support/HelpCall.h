// One call a help engine stand-in received: WinHelpRecorder and
// FakeHtmlHelpControl record the same four arguments, and a test compares the
// whole list of calls at once.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>

struct HelpCall {
    HWND hwnd;
    std::string file; // "<null>" for a null file
    UINT command;
    ULONG_PTR data;
};

inline bool operator==(const HelpCall& a, const HelpCall& b)
{
    return a.hwnd == b.hwnd && a.file == b.file && a.command == b.command && a.data == b.data;
}

inline void PrintTo(const HelpCall& c, std::ostream* os)
{
    *os << "{hwnd " << c.hwnd << ", \"" << c.file << "\", command " << c.command << ", data " << c.data << "}";
}
