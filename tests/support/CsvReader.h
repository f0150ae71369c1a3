// A CSV text read as RFC 4180 says (and Import-Csv reads it), bytes as they are.
#pragma once

#include <string>
#include <vector>

using CsvRows = std::vector<std::vector<std::string>>;

// False when text is no such CSV: a row not ended by CR LF, a quote inside an
// unquoted field, a quoted field not closed or followed by more than a comma.
bool ReadCsv(const std::string& text, CsvRows& rows);
