// Output lines about a printer.
#pragma once

#include <string>

// A line about one printer: it starts with the printer's name, so that the
// lines of one printer can be found in a log of many runs and printers.
std::string PrinterLine(const std::string& printer, const std::string& text);
