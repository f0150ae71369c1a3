// Native stand-in for the dialog class layer, just enough for the printer-name
// edit's source to compile as it is, so that its static name rule can be
// fuzzed. Nothing here runs a window: the fuzz target calls only the rule.
// (When the rule has a file of its own, this folder can go.)
#pragma once

#include <windows.h>

typedef void* HWND;
typedef void* HANDLE;
typedef HANDLE HGLOBAL;
typedef unsigned long WPARAM;
typedef long LPARAM;
typedef long LRESULT;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

#define WM_CHAR 0x0102
#define WM_PASTE 0x0302

#define DECLARE_MESSAGE_MAP()
#define BEGIN_MESSAGE_MAP(theClass, baseClass)
#define END_MESSAGE_MAP()

class CEdit {
public:
    virtual ~CEdit() = default;
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }
    HWND m_hWnd = nullptr;

protected:
    virtual LRESULT WindowProc(UINT, WPARAM, LPARAM) { return 0; }
};
