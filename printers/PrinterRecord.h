// One record of an open printer from the spooler (GetPrinterA), in a fixed,
// zero-filled global-memory block sized by a first call without a buffer.
#pragma once

#include "classlib/Handle.h"

// The record at the given level, followed by spareBytes zeroed bytes that
// the caller may use (a string the record is to point at); recordSize gets
// the record's own size. An empty block when the size, the memory or the
// record cannot be had.
CGlobalMemory GetPrinterRecord(HANDLE printer, DWORD level, DWORD spareBytes = 0, DWORD* recordSize = nullptr);
