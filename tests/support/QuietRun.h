// A program started as a startup script or a software-distribution tool
// starts KPXSETUP.EXE: with arguments after its quoted path, its standard
// output redirected into a file or not given at all (as Explorer starts it),
// and waited for. Such a run never shows a window: a message box would keep
// it from ending.
#pragma once

#include <windows.h>

#include <string>

// Runs exe with arguments. With output, the program's standard output is
// redirected and what it wrote (code page bytes, CR LF) ends up there;
// without, it has none. A window the program shows fails the test. The exit
// code, or 999 when the program could not start or still ran after the
// timeout (it is then ended).
DWORD RunQuietly(const std::string& exe, const std::string& arguments, std::string* output = nullptr,
                 DWORD timeoutMs = 20000);
