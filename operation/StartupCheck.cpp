#include "operation/StartupCheck.h"

#include "platform/InstanceGuard.h"

StartupStop CheckStartup(const StartupNeeds& needs, const CToolSettingsFile& toolFile, CPrinterSnapshot& printers,
                         HANDLE& mutex, DWORD& error)
{
    error = 0;
    if (needs.lock) {
        if (OtherUserRuns())
            return StartupOtherUser;
        if (!AcquireInstanceMutex(InstanceMutexName(), mutex, error))
            return mutex ? StartupAlreadyRunning : StartupNoMutex;
    }
    // The check stops at the first usable printer of a supported driver;
    // whoever lists them checks the rest.
    printers.Take();
    error = printers.EnumerationError();
    if (error != 0)
        return StartupNoSpooler;
    if (needs.printer && !printers.AnyListed())
        return StartupNoPrinter;
    if (needs.settings && !toolFile.Exists())
        return StartupNoSettings;
    return StartupReady;
}
