// The functions the program takes at run time from system DLLs it does not
// import (classlib/SystemFunctions.h), each DLL's list written once. The
// binding's table and its look-ups by name, and the seam's entries with their
// forwarders to the binding (classlib/Win32Api.h), are all made from these
// lists, so a function added here is in all of them. X(name) names each
// function; its type is that of the system header's declaration.
#pragma once

// winspool.drv
#define KPX_SPOOLER_FUNCTIONS(X)                                                                                       \
    X(EnumPrintersA)                                                                                                   \
    X(OpenPrinterA)                                                                                                    \
    X(ClosePrinter)                                                                                                    \
    X(GetPrinterA)                                                                                                     \
    X(SetPrinterA)                                                                                                     \
    X(GetPrinterDriverA)

// comdlg32.dll
#define KPX_COMMON_DIALOG_FUNCTIONS(X)                                                                                 \
    X(GetOpenFileNameA)                                                                                                \
    X(PrintDlgA)

// A table's entry for the function: a pointer of the function's own type.
#define KPX_FUNCTION_ENTRY(name) decltype(&::name) name;
