// Native stand-in: a clipboard that never opens (see Edit.h in this folder).
#pragma once

#include "classlib/Edit.h"

#define CF_TEXT 1

inline HWND GetParent(HWND) { return nullptr; }

class CClipboard {
public:
    explicit CClipboard(HWND) {}
    bool IsOpen() const { return false; }
    HANDLE GetData(UINT) const { return nullptr; }
};
