#include "operation/ProfileTargets.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/OsClass.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterHandle.h"
#include "printers/PrinterNameRules.h"

namespace {

// True where the driver directory is a target (every Windows but 95/98/Me).
bool DriverFolderIsATarget()
{
    return GetOsClass() != OsWin9x;
}

} // namespace

std::string SystemFolder()
{
    char systemDir[MAX_PATH + 1] = {};
    Win32().GetSystemDirectoryA(systemDir, MAX_PATH);
    return std::string(systemDir) + "\\";
}

void GetTargetPaths(const std::string& driverDirectory, const std::string& source, std::string& systemTarget,
                    std::string& driverTarget)
{
    const std::string name = FileNamePart(source);
    systemTarget = SystemFolder() + name;
    driverTarget.clear();
    if (DriverFolderIsATarget() && !driverDirectory.empty())
        driverTarget = driverDirectory + name;
}

bool IsFirstSlotOfItsFile(const std::string files[4], int slot)
{
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (MbCompare(files[slot], files[earlier]) == 0)
            return false;
    }
    return true;
}

bool LookUpPrinter(const std::string& printer, CDriverDirectories& directories, std::string& driverDirectory,
                   HANDLE kept)
{
    driverDirectory.clear();
    std::string driverName;
    // A handle kept since the listing answers while the printer's record
    // reads through it; a printer deleted since may no longer give one, and
    // is then opened afresh, which tells whether it is there.
    HANDLE handle = kept;
    PrinterRecordVerdict verdict = handle ? ReadPrinterRecordName(handle, printer, &driverName) : PrinterRecordUnread;
    CPrinterHandle opened;
    if (verdict == PrinterRecordUnread) {
        opened = OpenPrinterHandle(printer.c_str(), PRINTER_ALL_ACCESS);
        if (!opened.IsValid())
            return false;
        handle = opened.Get();
        // A record that cannot be read tells nothing against the name the
        // printer was just opened by.
        verdict = ReadPrinterRecordName(handle, printer, &driverName);
    }
    if (verdict == PrinterRecordOtherName)
        return false;
    if (!DriverFolderIsATarget())
        return true;
    driverDirectory = directories.For(handle, driverName);
    return !driverDirectory.empty();
}
