// The printer-name edit of the main dialog. It keeps out the characters that
// the running Windows version's spooler does not take in a printer name,
// whether typed or pasted; the dialog limits the name's length in bytes
// (PrinterNameLimit).
#pragma once

#include "classlib/Edit.h"
#include "platform/OsClass.h"
#include "printers/PrinterNameRules.h" // PrinterNameLimit, the edit's limit

class CEditPrnName : public CEdit {
public:
    CEditPrnName() = default;
    ~CEditPrnName() override;

    // The printer-name rule (printers/PrinterNameRules.h) for the platform
    // the program runs on now.
    BOOL IsAllowedChar(int ch) const;

    // Typed characters: a refused one is swallowed with the default beep.
    // The byte after a lead byte is the trail byte of the same character and
    // is never tested (in code page 932 it may be 0x5C, the backslash).
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // True when the clipboard's 8-bit text may be pasted: it holds no refused
    // character outside double-byte characters. Also true when the clipboard
    // cannot be opened or holds no text; the control's own paste then deals
    // with it.
    BOOL CheckClipboardText();

protected:
    // A paste is all or nothing: one refused character refuses the whole
    // text with the default beep, and the control keeps its text.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    // The last typed character was a lead byte: the next is its trail byte.
    bool m_bTrailBytePending = false;
};
