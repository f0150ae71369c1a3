#include "support/InstalledFilesReset.h"

#include "platform/FsRedirection.h"
#include "platform/PlatformFlags.h"
#include "settings/InstallAccount.h"

#include <windows.h>

void ForgetInstalledFiles()
{
    CInstallAccount account;
    DWORD error = 0;
    if (!account.Load(error))
        return;
    const bool governed = RunningOnWow64() != FALSE;
    for (const InstalledFile& file : account.Files()) {
        const std::string kept = KeptOriginalPath(file.target);
        CallWithoutFsRedirection(governed, [&] {
            ::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
            return ::DeleteFileA(kept.c_str());
        });
    }
    CallWithoutFsRedirection(governed, [&] { return ::DeleteFileA(account.Path().c_str()); });
}
