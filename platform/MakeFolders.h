// The folders a file's path needs, made where missing, as an administrator
// expects of a log path such as %SystemRoot%\Logs\KPXSetup\kpxsetup.log on a
// machine that has never had the folder.
#pragma once

#include <windows.h>

#include <string>

// Makes every missing folder of filePath's folder, the outermost first. Each
// new folder gets no security of its own, so it takes what its parent passes
// down to new folders (as Explorer's "New folder" does). 0 when the folder is
// there afterwards, or the system's reason for the first folder that could
// not be made. A drive or share root is never made.
DWORD MakeFoldersFor(const std::string& filePath);
