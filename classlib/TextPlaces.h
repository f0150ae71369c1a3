// String-table texts with values: a text's places are numbered, %1 to %9, so
// that a translation may put them in another order.
#pragma once

#include <string>
#include <vector>

// pattern with each "%N" replaced by values[N - 1]; a place without a value
// stays as it is, and so does a '%' that starts no place. One pass over the
// pattern: a value is inserted as it is, never read for places itself. A '%'
// or a digit is never the trail byte of a double-byte character in code page
// 932, so the scan may go byte by byte.
std::string FillPlaces(const std::string& pattern, const std::vector<std::string>& values);
