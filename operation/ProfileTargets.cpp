#include "operation/ProfileTargets.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/OsClass.h"
#include "printers/DriverDirectory.h"
#include "printers/PrinterHandle.h"
#include "printers/PrinterNameRules.h"

bool DriverFolderIsATarget()
{
    return GetOsClass() != OsWin9x;
}

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

bool LookUpPrinter(const std::string& printer, CDriverDirectories& directories, std::string& driverDirectory)
{
    driverDirectory.clear();
    CPrinterHandle handle = OpenPrinterHandle(printer.c_str(), PRINTER_ALL_ACCESS);
    std::string driverName;
    if (!handle.IsValid() || !PrinterBearsName(handle.Get(), printer, &driverName))
        return false;
    if (!DriverFolderIsATarget())
        return true;
    driverDirectory = directories.For(handle.Get(), driverName);
    return !driverDirectory.empty();
}
