#include "operation/ProfileTargets.h"

#include "platform/OsClass.h"
#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"

void GetTargetPaths(const std::string& driverDirectory, const std::string& source, std::string& systemTarget,
                    std::string& driverTarget)
{
    char systemDir[MAX_PATH + 1] = {};
    Win32().GetSystemDirectoryA(systemDir, MAX_PATH);
    systemTarget = std::string(systemDir) + "\\";
    driverTarget.clear();
    if (GetOsClass() != OsWin9x)
        driverTarget = driverDirectory;

    const std::string name = FileNamePart(source);
    systemTarget += name;
    if (!driverTarget.empty())
        driverTarget += name;
}

bool IsFirstSlotOfItsFile(const std::string files[4], int slot)
{
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (MbCompare(files[slot], files[earlier]) == 0)
            return false;
    }
    return true;
}
