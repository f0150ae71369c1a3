#include "printers/PrinterNameRules.h"

#include "classlib/WholeCharacters.h"

#include <windows.h>

bool IsAllowedPrinterNameChar(OsClass os, int ch)
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

unsigned PrinterNameLimit(OsClass os)
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

bool HasOnlyAllowedPrinterNameChars(OsClass os, const std::string& text)
{
    // A double-byte character is allowed whatever its trail byte is.
    for (size_t i = 0; i < text.size(); i += CharLengthAt(text, i)) {
        if (CharLengthAt(text, i) == 1 && !IsAllowedPrinterNameChar(os, static_cast<signed char>(text[i])))
            return false;
    }
    return true;
}

bool IsRecordablePrinterName(const std::string& printer)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !printer.empty() && !blank(printer.front()) && !blank(printer.back());
}
