#include "operation/ProfileTargets.h"

#include "printers/DriverDirectory.h"
#include "platform/OsClass.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"

void GetTargetPaths(const std::string& printer, const std::string& source,
                    std::string& systemTarget, std::string& driverTarget)
{
    OsClass os = GetOsClass();
    char systemDir[MAX_PATH + 1] = {};
    Win32().GetSystemDirectoryA(systemDir, MAX_PATH);
    systemTarget = std::string(systemDir) + "\\";
    driverTarget.clear();
    if (os != OsWin9x)
        driverTarget = GetDriverDirectory(printer);

    const std::string name = FileNamePart(source);
    systemTarget += name;
    if (!driverTarget.empty())
        driverTarget += name;
}
