// The clipboard, open for the life of the object: opened in the constructor
// with the given owner window and closed again on every way out.
#pragma once

#include <windows.h>

class CClipboard {
public:
    explicit CClipboard(HWND owner) : m_bOpen(::OpenClipboard(owner) != FALSE) {}
    ~CClipboard()
    {
        if (m_bOpen)
            ::CloseClipboard();
    }
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    // False when another window holds the clipboard.
    bool IsOpen() const { return m_bOpen; }
    // The data in that format, owned by the clipboard; null when there is none.
    HANDLE GetData(UINT format) const { return m_bOpen ? ::GetClipboardData(format) : nullptr; }

private:
    bool m_bOpen;
};
