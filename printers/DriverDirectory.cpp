#include "printers/DriverDirectory.h"

#include "classlib/Handle.h"
#include "classlib/PathParts.h"
#include "classlib/Win32Api.h"
#include "platform/PlatformFlags.h"

namespace {

// Under WOW64 the spooler runs the driver of the machine's own environment,
// whose files lie in that environment's directory (spool\drivers\x64\3),
// not the 32-bit driver of this program's environment. Null: the caller's
// environment.
const char* NativeDriverEnvironment()
{
    if (!RunningOnWow64())
        return nullptr;
    // Only ARM64 Windows reports itself; x64 is the other 64-bit Windows
    // that runs 32-bit x86 programs, including those before IsWow64Process2.
    return QueryNativeMachine() == IMAGE_FILE_MACHINE_ARM64 ? "Windows ARM64" : "Windows x64";
}

// The directory of the printer's driver for one environment, from its
// level-2 driver record; empty when that driver is not installed or its
// record cannot be read.
std::string DriverDirectoryFor(HANDLE printer, const char* environment)
{
    LPSTR env = const_cast<LPSTR>(environment);
    DWORD needed = 0;
    Win32().GetPrinterDriverA(printer, env, 2, nullptr, 0, &needed);
    if (needed == 0)
        return std::string();
    CGlobalMemory buffer(Win32().GlobalAlloc(GPTR, needed));
    if (!buffer.IsValid())
        return std::string();
    BYTE* record = static_cast<BYTE*>(buffer.Get());
    if (!Win32().GetPrinterDriverA(printer, env, 2, record, needed, &needed))
        return std::string();

    const char* driverPath = reinterpret_cast<DRIVER_INFO_2A*>(record)->pDriverPath;
    if (!driverPath)
        return std::string();
    std::string path = driverPath;
    size_t slash = FindLastBackslash(path);
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::string GetDriverDirectory(HANDLE printer)
{
    std::string dir;
    if (const char* native = NativeDriverEnvironment())
        dir = DriverDirectoryFor(printer, native);
    // Without a native driver the 32-bit one is what there is to serve.
    if (dir.empty())
        dir = DriverDirectoryFor(printer, nullptr);
    return dir;
}

std::string CDriverDirectories::For(HANDLE printer, const std::string& driverName)
{
    if (driverName.empty())
        return GetDriverDirectory(printer);
    const auto known = m_known.find(driverName);
    if (known != m_known.end())
        return known->second;
    std::string directory = GetDriverDirectory(printer);
    if (!directory.empty())
        m_known.emplace(driverName, directory);
    return directory;
}
