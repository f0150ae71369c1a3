#include "support/ScopedOsVersion.h"

namespace {

struct VersionOf {
    OsClass os;
    DWORD platformId, major, minor;
    BYTE productType;
};

const VersionOf kVersions[] = {
    {OsUnknown, VER_PLATFORM_WIN32_NT, 6, 2, VER_NT_WORKSTATION},
    {OsWin9x, VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0},
    {OsNT4, VER_PLATFORM_WIN32_NT, 4, 0, VER_NT_WORKSTATION},
    {Os2000, VER_PLATFORM_WIN32_NT, 5, 0, VER_NT_WORKSTATION},
    {OsXP, VER_PLATFORM_WIN32_NT, 5, 1, VER_NT_WORKSTATION},
    {Os2003, VER_PLATFORM_WIN32_NT, 5, 2, VER_NT_SERVER},
    {OsVista, VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_WORKSTATION},
    {Os2008, VER_PLATFORM_WIN32_NT, 6, 0, VER_NT_SERVER},
    {Os7, VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_WORKSTATION},
    {Os2008R2, VER_PLATFORM_WIN32_NT, 6, 1, VER_NT_SERVER},
    {Os81, VER_PLATFORM_WIN32_NT, 6, 3, VER_NT_WORKSTATION},
    {Os2012R2, VER_PLATFORM_WIN32_NT, 6, 3, VER_NT_SERVER},
};

VersionOf VersionFor(OsClass os)
{
    for (const VersionOf& v : kVersions) {
        if (v.os == os)
            return v;
    }
    return kVersions[0];
}

} // namespace

ScopedOsVersion::ScopedOsVersion(OsClass os)
    : m_override([v = VersionFor(os)](LPOSVERSIONINFOA info) {
          info->dwPlatformId = v.platformId;
          info->dwMajorVersion = v.major;
          info->dwMinorVersion = v.minor;
          if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA))
              reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = v.productType;
          return TRUE;
      })
{
}
