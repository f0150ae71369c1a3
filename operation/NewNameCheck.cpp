#include "operation/NewNameCheck.h"

#include "classlib/MbString.h"
#include "platform/OsClass.h"
#include "printers/PrinterNameRules.h"
#include "printers/PrinterSnapshot.h"
#include "printers/RenamePermission.h"

NewNameVerdict CheckNewName(const CPrinterSnapshot& printers, const std::string& newName, const std::string& printer)
{
    if (newName.empty())
        return NewNameEmpty;
    if (MbCompare(newName, printer) == 0)
        return NewNameUnchanged;
    if (!IsRecordablePrinterName(newName))
        return NewNameBlankEdge;
    // Also the printer's own name in other letters: the spooler compares
    // printer names without regard to case.
    if (printers.KnowsName(newName))
        return NewNameInUse;
    const OsClass os = GetOsClass();
    if (!HasOnlyAllowedPrinterNameChars(os, newName))
        return NewNameBadChars;
    if (newName.size() > PrinterNameLimit(os))
        return NewNameTooLong;
    // The name edit is disabled for a shared printer and a connection.
    if (QueryRenameAllowed(printer.c_str()) == 0)
        return NewNameRenameNotAllowed;
    return NewNameAccepted;
}
