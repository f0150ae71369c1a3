#include "ui/EditPrnName.h"

#include "classlib/Clipboard.h"
#include "classlib/GlobalLock.h"
#include "classlib/Win32Api.h"

// No entries of its own: everything not filtered in WindowProc is the edit's.
BEGIN_MESSAGE_MAP(CEditPrnName, CEdit)
END_MESSAGE_MAP()

CEditPrnName::~CEditPrnName() = default;

bool CEditPrnName::IsAllowedChar(OsClass os, int ch)
{
    // The backslash separates server and printer in a printer's full name,
    // and the comma separates the fields of the device lists that name a
    // printer with its driver and port.
    if (ch == '\\' || ch == ',')
        return false;
    switch (os) {
    case OsWin9x:
        // The 9x spooler keeps its printers as keys of WIN.INI, where "="
        // ends a key and ";" starts a comment.
        return ch != '=' && ch != ';';
    case OsNT4:
    case Os2000:
    case OsXP:
    case Os2003:
    case OsVista:
    case Os2008:
        // The spoolers of these versions refuse "!" in a printer's name.
        return ch != '!';
    default:
        return true;
    }
}

BOOL CEditPrnName::IsAllowedChar(int ch) const
{
    return IsAllowedChar(GetOsClass(), ch);
}

BOOL CEditPrnName::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_CHAR)
        return CEdit::PreTranslateMessage(pMsg);

    if (m_bTrailBytePending) {
        m_bTrailBytePending = false;
        return CEdit::PreTranslateMessage(pMsg);
    }
    if (IsDBCSLeadByte(LOBYTE(pMsg->wParam))) {
        m_bTrailBytePending = true;
        return CEdit::PreTranslateMessage(pMsg);
    }
    if (IsAllowedChar(static_cast<int>(pMsg->wParam)))
        return CEdit::PreTranslateMessage(pMsg);

    Win32().MessageBeep(0);
    return TRUE;
}

LRESULT CEditPrnName::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PASTE && !CheckClipboardText()) {
        Win32().MessageBeep(0);
        return 0;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

BOOL CEditPrnName::CheckClipboardText()
{
    CClipboard clipboard(::GetParent(m_hWnd));
    if (!clipboard.IsOpen())
        return TRUE;
    CGlobalLock lock(clipboard.GetData(CF_TEXT));
    const char* text = static_cast<const char*>(lock.Get());
    if (!text)
        return TRUE;

    // The same rule as for typed characters, byte by byte: a lead byte and
    // its trail byte form one character and are let through together.
    // Another program put the text there: its terminator is not taken on
    // trust, the scan ends with the block at the latest.
    const OsClass os = GetOsClass();
    const char* const end = text + lock.Size();
    bool trailBytePending = false;
    for (const char* p = text; p < end && *p; ++p) {
        if (trailBytePending) {
            trailBytePending = false;
        } else if (IsDBCSLeadByte(static_cast<BYTE>(*p))) {
            trailBytePending = true;
        } else if (!IsAllowedChar(os, static_cast<signed char>(*p))) {
            return FALSE;
        }
    }
    return TRUE;
}

UINT PrinterNameLimit(OsClass os)
{
    switch (os) {
    case OsWin9x:
        return 31;
    case OsNT4:
        return 259;
    case OsVista:
        return 128;
    case Os7:
        return 256;
    default:
        return 220;
    }
}
