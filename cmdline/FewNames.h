// Printer names in a line that must stay readable however many printers
// share what it says.
#pragma once

#include <string>
#include <vector>

// At most this many names are given in one line.
const size_t kNamesInALine = 3;

// The names joined with ", "; past kNamesInALine the first ones and the
// count of the rest ("A, B, C, ほか2台").
std::string FewNamesAndTheRest(const std::vector<std::string>& names);
