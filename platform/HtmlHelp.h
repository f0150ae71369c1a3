// HTML Help's entry point, HtmlHelpA, taken from the HTML Help control
// (hhctrl.ocx) the first time help is asked for. The program links no import
// library for it: a system without the control still runs, and its help
// calls do nothing.
//
// The control is looked for where the machine's administrators registered it
// as a COM server (when that is a full path on a local drive), else in the
// system directory, never by bare name, a share's path or the user's own
// registration: the program runs elevated, a bare name is looked for in its
// own folder first, and the user's part of the registry is the user's to
// write. The entry is taken by its ordinal, 14 (the
// control exports HtmlHelpA under that number). Once found, the control stays
// loaded as long as its owner: the help windows it opens run inside this
// process and are closed through the same entry.
#pragma once

#include "classlib/Handle.h"

#include <windows.h>

class CHtmlHelp {
public:
    using HtmlHelpProc = HWND(WINAPI*)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

    CHtmlHelp() = default;
    CHtmlHelp(const CHtmlHelp&) = delete;
    CHtmlHelp& operator=(const CHtmlHelp&) = delete;

    // HtmlHelpA with these arguments, after loading the control if need be;
    // its result (the help window, or null). Null without calling anything
    // when the control or its entry cannot be found; a later call tries the
    // loading again.
    HWND Call(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

    // The entry has been found: help windows may be open.
    bool IsLoaded() const { return m_pfnHtmlHelp != nullptr; }

private:
    bool Load();

    CLibraryHandle m_library;
    HtmlHelpProc m_pfnHtmlHelp = nullptr;
};

// The process's one instance, shared by every help call, so that the call
// made when the main dialog closes reaches the windows that earlier calls
// opened.
CHtmlHelp& TheHtmlHelp();
