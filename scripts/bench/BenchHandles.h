// Owners for the handles of the benchmark's plain programs (the floor, the
// printer-adding program) and of the demo's printer-adding program. They
// close through the system directly, not through the tool's platform seam, so
// these programs link nothing of the tool and load no library beyond the ones
// their own calls need.
#pragma once

#include "classlib/Handle.h"

struct BenchPrinterTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::ClosePrinter(h); }
};

struct BenchFileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};

struct BenchLibraryTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};

using CBenchPrinter = CScopedHandle<BenchPrinterTraits>;
using CBenchFile = CScopedHandle<BenchFileTraits>;
using CBenchLibrary = CScopedHandle<BenchLibraryTraits>;
