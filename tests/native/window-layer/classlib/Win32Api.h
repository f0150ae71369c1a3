// Native stand-in: the platform seam with the one entry the printer-name edit
// calls (see Edit.h in this folder).
#pragma once

#include <windows.h>

struct Win32Api {
    BOOL (*MessageBeep)(UINT);
};

inline const Win32Api& Win32()
{
    static const Win32Api api = {[](UINT) -> BOOL { return TRUE; }};
    return api;
}
