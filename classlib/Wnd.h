// Base of every window wrapper: holds an HWND that it does not own (dialogs
// destroy their own windows; controls belong to their dialog).
//
// A wrapper bound with SubclassWindow (DDX_Control does that) is the window's
// permanent wrapper: the window's procedure is replaced by one that hands
// every message to the wrapper's WindowProc, and FromHandlePermanent finds
// the wrapper again from the window (the modal loop uses that to run
// PreTranslateMessage). The original procedure comes back when the wrapper
// is unbound, destroyed, or the window goes away.
#pragma once

#include "classlib/MessageMap.h"

#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The wrapper bound to the window with SubclassWindow, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binds the wrapper to a window that has no permanent wrapper yet.
    // False when the window is not a window or already has one.
    BOOL SubclassWindow(HWND hWnd);
    // Gives the window its own procedure back; returns the window.
    HWND UnsubclassWindow();

    // Called by the modal loop for a message to this window or one of its
    // children before the dialog manager sees it. True swallows the message.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    // One call each, on the window as it is.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Returns whether the window was disabled before (as EnableWindow does).
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL IsIconic() const;
    std::string GetWindowText() const;
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    void SetWindowText(const char* text);
    void SetWindowText(const std::string& text) { SetWindowText(text.c_str()); }
    int GetDlgCtrlID() const;
    // The window menu, or null when the window has none.
    HMENU GetSystemMenu(BOOL bRevert) const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    // A message box owned by this window, with the application title as
    // caption when none is given; the button pressed (IDOK ...).
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK) const;
    // The text of any window, in the system code page.
    static std::string WindowTextOf(HWND hWnd);

    // The hourglass while something slow runs without pumping messages;
    // nests, and EndWaitCursor restores the cursor shown before the first
    // BeginWaitCursor (see CWaitCursor).
    void BeginWaitCursor();
    void EndWaitCursor();

    HWND m_hWnd = nullptr;

protected:
    // Every message of a subclassed window. The default runs the message map
    // and passes what it does not handle to the window's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own procedure (the one SubclassWindow replaced).
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Finds the message's entry in the class's map chain and runs it. False
    // when no entry matches.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Makes this the window's permanent wrapper without touching its
    // procedure (dialogs are bound through their dialog procedure instead).
    bool AttachPermanent(HWND hWnd);
    void DetachPermanent();

    virtual const MessageMap* GetMessageMap() const;
    static const MessageMap* GetThisMessageMap();

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr; // the procedure SubclassWindow replaced
};
