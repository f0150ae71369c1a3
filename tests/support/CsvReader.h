// A CSV text read as RFC 4180 says and as PowerShell's Import-Csv reads it:
// fields separated by commas, rows ended by CR LF, a field in double quotes
// may hold commas, CR, LF and doubled quotes. Bytes stay as they are (code
// page 932 text included).
#pragma once

#include <string>
#include <vector>

using CsvRows = std::vector<std::vector<std::string>>;

// The rows of text; false when it is no such CSV: a row not ended by CR LF,
// a quote inside an unquoted field, a quoted field not closed or followed by
// anything but a comma or the row's end.
bool ReadCsv(const std::string& text, CsvRows& rows);
