#include "support/ScopedOsClass.h"

#include <gtest/gtest.h>

namespace {

struct VersionAnswer {
    OsClass os;
    DWORD platformId;
    DWORD major;
    DWORD minor;
    BYTE productType;
};

// A version that each class is made of (Windows 8 and later report 6.2,
// which no class lists).
const VersionAnswer kAnswers[] = {
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

// The answer of the innermost live ScopedOsClass; one at a time is enough
// for the tests, which run on one thread.
const VersionAnswer* g_answer = nullptr;

BOOL WINAPI FakeGetVersionExA(LPOSVERSIONINFOA info)
{
    if (!g_answer)
        return FALSE;
    info->dwPlatformId = g_answer->platformId;
    info->dwMajorVersion = g_answer->major;
    info->dwMinorVersion = g_answer->minor;
    if (info->dwOSVersionInfoSize == sizeof(OSVERSIONINFOEXA))
        reinterpret_cast<OSVERSIONINFOEXA*>(info)->wProductType = g_answer->productType;
    return TRUE;
}

} // namespace

ScopedOsClass::ScopedOsClass(OsClass os) : m_override(Win32().GetVersionExA, &FakeGetVersionExA)
{
    g_answer = nullptr;
    for (const VersionAnswer& a : kAnswers) {
        if (a.os == os)
            g_answer = &a;
    }
    // A class the table lacks would silently test another one.
    EXPECT_EQ(os, GetOsClass()) << "no version reported for class " << os;
}

ScopedOsClass::~ScopedOsClass()
{
    g_answer = nullptr;
}
