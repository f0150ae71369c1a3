#include "ui/EditPrnName.h"

#include "classlib/Clipboard.h"
#include "classlib/GlobalLock.h"
#include "classlib/Win32Api.h"

// No entries of its own: everything not filtered in WindowProc is the edit's.
BEGIN_MESSAGE_MAP(CEditPrnName, CEdit)
END_MESSAGE_MAP()

CEditPrnName::~CEditPrnName() = default;

BOOL CEditPrnName::IsAllowedChar(int ch) const
{
    return IsAllowedPrinterNameChar(GetOsClass(), ch);
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

    // The same rule as for typed characters, byte by byte, a lead byte and
    // its trail byte let through together. Another program put the text
    // there: its terminator is not taken on trust, the text ends with the
    // block at the latest.
    const size_t size = lock.Size();
    size_t length = 0;
    while (length < size && text[length])
        ++length;
    return HasOnlyAllowedPrinterNameChars(GetOsClass(), std::string(text, length));
}
