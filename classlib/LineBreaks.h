// Line breaks of a text made what its destination holds: a file or an edit
// control breaks lines at CR LF only, and a log line, a CSV field or a
// message inside a report has room for one line.
#pragma once

#include <string>
#include <string_view>

// Each line break (LF, CR LF or a lone CR) as CR LF.
std::string WithCrLf(std::string_view text);

// The text on one line: each line break (CR LF counted once) replaced by
// joiner, and line breaks and blanks at the end dropped.
std::string OnOneLine(std::string_view text, std::string_view joiner = " ");
