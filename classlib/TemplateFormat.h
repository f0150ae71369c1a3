// The secondary dialogs keep their format strings in the static texts of
// their templates ("%s ...", "%d KB"): a dialog reads a static's own text
// back, formats one value into it with printf rules and sets the result.
//
// The format is checked before it is used: it must hold exactly one
// conversion, of the kind the value needs, so that a template edited by
// mistake ("%s" where a number goes, a second "%s") shows its text unchanged
// instead of reading an argument that is not there.
#pragma once

#include <string>

// The format with its one "%s" conversion (flags, width and precision
// allowed) filled with text; the format unchanged when it holds no such
// conversion or more than one conversion.
std::string FormatTemplateText(const std::string& format, const std::string& text);

// The format with its one "%d" or "%i" conversion filled with value. The
// value is printed at 64 bits whatever the conversion's own size, so a count
// beyond the 32-bit range shows as it is. The format unchanged when it holds
// no such conversion or more than one conversion.
std::string FormatTemplateNumber(const std::string& format, long long value);
