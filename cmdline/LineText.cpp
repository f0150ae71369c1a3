#include "cmdline/LineText.h"

std::string PrinterLine(const std::string& printer, const std::string& text)
{
    return printer + ": " + text;
}
