// How the overwrite question shows a file: its size in kilobytes and its
// last-write time in the local time zone to the minute.
#pragma once

#include "classlib/FileStatus.h"

#include <windows.h>

#include <string>

// The size in whole kilobytes, rounded half up, except that a file of 1 to
// 511 bytes shows 1 rather than 0, so only an empty file shows 0: 0 -> 0,
// 1..1535 -> 1, 1536..2559 -> 2, 2560 -> 3. Taken and given at 64 bits, so
// files of terabytes show their true size.
ULONGLONG SizeInKilobytes(ULONGLONG bytes);

// The time in the local time zone as "YYYY/MM/DD HH:MM" (24-hour, no
// seconds); empty when it has no local form. Within the run-time library's
// range (to January 2038) its local time is used, which honours a TZ
// variable; later times go through the system's own conversion.
std::string FormatLocalMinute(FileSeconds time);
