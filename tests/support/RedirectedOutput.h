// A file that a started program's standard output goes into, as a command
// line's "> file" makes it: created empty, its handle inheritable.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <string>

class RedirectedOutput : Uncopyable {
public:
    explicit RedirectedOutput(const std::string& path);
    ~RedirectedOutput();

    // The handle to pass as the program's standard output.
    HANDLE handle() const { return m_file; }
    // Everything written so far (closes this side's handle first).
    std::string Text();

private:
    std::string m_path;
    HANDLE m_file;
};
