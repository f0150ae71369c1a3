// One record of an open printer from the spooler (GetPrinterA), in a fixed,
// zero-filled global-memory block: one call where the record fits a block of
// a few kilobytes, as most do, else a second into a block of its size.
#pragma once

#include "classlib/Handle.h"

// The record at the given level, followed by at least spareBytes zeroed
// bytes that the caller may use (a string the record is to point at);
// recordSize gets the record's own size, where those bytes start. An empty
// block when the size, the memory or the record cannot be had.
CGlobalMemory GetPrinterRecord(HANDLE printer, DWORD level, DWORD spareBytes = 0, DWORD* recordSize = nullptr);
