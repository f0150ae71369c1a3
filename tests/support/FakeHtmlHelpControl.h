// Stands in for the HTML Help control while it lives: LoadLibraryExA,
// GetProcAddress and FreeLibrary of the platform seam answer for a control
// whose HtmlHelpA entry (ordinal 14) records every call, so a test sees what
// the program asked HTML Help to do without a help window appearing.
//   FakeHtmlHelpControl control;   // before the CHtmlHelp it serves
//   CHtmlHelp help;
#pragma once

#include "support/ApiOverride.h"
#include "support/HelpCall.h"
#include "support/Uncopyable.h"

#include <windows.h>

#include <string>
#include <vector>

class FakeHtmlHelpControl : Uncopyable {
public:
    FakeHtmlHelpControl();
    ~FakeHtmlHelpControl();

    // The module handle the fake control is loaded as.
    static HMODULE Module();

    bool present = true;                  // LoadLibraryExA finds the control
    bool hasEntry = true;                 // GetProcAddress finds ordinal 14
    std::vector<std::string> loadedNames; // every path LoadLibraryExA was given
    std::vector<ULONG_PTR> procNames;     // every name GetProcAddress was given
    std::vector<HMODULE> freed;
    std::vector<HelpCall> calls;

    // The window handle the fake entry returns.
    static HWND Result() { return reinterpret_cast<HWND>(0x4321); }

private:
    ScopedApiOverride<&Win32Api::LoadLibraryExA> m_load;
    ScopedApiOverride<&Win32Api::GetProcAddress> m_proc;
    ScopedApiOverride<&Win32Api::FreeLibrary> m_free;
};
