// Output lines with several values: a string-table text whose places are
// numbered (%1 to %9), so that a translation may put them in another order.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

// pattern with each "%N" replaced by values[N - 1]; a place without a value
// stays as it is. A '%' or a digit is never the trail byte of a double-byte
// character in code page 932, so the scan may go byte by byte.
std::string FillPlaces(const std::string& pattern, const std::vector<std::string>& values);
// The string-table text id filled the same way.
std::string ResText(UINT id, const std::vector<std::string>& values);

// A line about one printer: it starts with the printer's name, so that the
// lines of one printer can be found in a log of many runs and printers.
std::string PrinterLine(const std::string& printer, const std::string& text);
