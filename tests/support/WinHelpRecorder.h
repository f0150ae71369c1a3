// Stands in for the old help engine (WinHelpA) while it lives and records
// every call, so a test sees what the program asked of it. Wine's own engine
// blocks behind a message box of another process when the file is missing,
// so no test may reach it.
#pragma once

#include "support/ApiOverride.h"
#include "support/HelpCall.h"
#include "support/Uncopyable.h"

#include <string>
#include <vector>

class WinHelpRecorder : Uncopyable {
public:
    WinHelpRecorder()
        : m_override([this](HWND hwnd, LPCSTR file, UINT command, ULONG_PTR data) {
              calls.push_back({hwnd, file ? file : "<null>", command, data});
              return result;
          })
    {
    }

    std::vector<HelpCall> calls;
    BOOL result = TRUE; // what every call answers

private:
    ScopedApiOverride<&Win32Api::WinHelpA> m_override;
};
