// A text split into its lines at CR LF, the only line end the multi-line edit
// control and the profile calls know. The piece after the last CR LF is the
// last line (empty when the text ends with CR LF); a lone CR or LF stays in
// its line.
#pragma once

#include <string>
#include <vector>

std::vector<std::string> SplitCrLfLines(const std::string& text);

// How often line (without its CR LF) stands as a whole line in text.
int CountLines(const std::string& text, const std::string& line);
