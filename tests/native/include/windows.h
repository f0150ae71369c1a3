// Linux stand-in for the few Windows declarations the pure rules use, so they
// build natively with the sanitizers and libFuzzer. The code page is fixed at
// 932, the one the tool is made for and the one the Wine tests run under.
#pragma once

typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int UINT;
typedef unsigned int DWORD;  // 32 bits, as on Windows (long is 64 here)
typedef int BOOL;
typedef unsigned long long ULONGLONG;

// A file time as the file-status header declares its conversions with it.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

#define LOBYTE(w) (static_cast<BYTE>(static_cast<unsigned long>(w) & 0xFF))

// Lead bytes of code page 932: 0x81-0x9F and 0xE0-0xFC.
inline BOOL IsDBCSLeadByte(BYTE b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// The system code page.
inline UINT GetACP()
{
    return 932;
}

// Printer names compare without regard to case; for the fuzzed rules the
// ASCII letters are what matters.
#include <strings.h>
inline int lstrcmpiA(const char* a, const char* b)
{
    return strcasecmp(a, b);
}
