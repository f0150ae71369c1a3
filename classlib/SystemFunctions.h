// Functions of system DLLs that the program does not import but takes at run
// time from the DLL in the system directory, loaded by its full path with its
// own dependencies looked for there too. The seam's real entries for them
// forward to the process's bindings here.
//
// The print spooler, winspool.drv, is no KnownDLL: imported, or loaded by
// bare name, it would be looked for in the program's folder first. The common
// dialogs, comdlg32.dll, are a KnownDLL on Windows, but they import the
// spooler themselves, and a system that resolves a DLL's imports from the
// program's folder (Wine does, for its own comdlg32) would take a planted
// winspool.drv as soon as the program started.
#pragma once

#include "classlib/SystemFunctionList.h"

#include <windows.h>
#include <commdlg.h>
#include <winspool.h>

struct SpoolerFunctions {
    KPX_SPOOLER_FUNCTIONS(KPX_FUNCTION_ENTRY)
};

struct CommonDialogFunctions {
    KPX_COMMON_DIALOG_FUNCTIONS(KPX_FUNCTION_ENTRY)
};

// The module's functions, all of them or none: when the module is null or
// lacks one, every entry fails with ERROR_PROC_NOT_FOUND. For the spooler the
// printer list then comes out empty and the program meets the machine as one
// without a supported printer, rather than listing printers it cannot open;
// the file chooser and the printer defaults then act as cancelled.
// lookup finds each function (a test passes the seam's, to take one away).
SpoolerFunctions BindSpooler(HMODULE module, decltype(&::GetProcAddress) lookup = &::GetProcAddress);
CommonDialogFunctions BindCommonDialogs(HMODULE module, decltype(&::GetProcAddress) lookup = &::GetProcAddress);

// The process's bindings, each made on first use from winspool.drv and
// comdlg32.dll in the system directory and kept to the end of the process.
// Made on first use rather than at start-up, so that the DLL search is
// already restricted by then.
const SpoolerFunctions& ProcessSpooler();
const CommonDialogFunctions& ProcessCommonDialogs();
