// Comparing 8-bit strings of the system code page character by character, so
// a double-byte character is one unit (the run-time library's _mbscmp and
// _mbsicmp in the code page it took from the system at start-up). A lead byte
// that ends the text without its trail byte is compared as a byte after the
// whole characters, so only equal texts compare equal.
#pragma once

#include <string>
#include <vector>

// Negative, zero or positive, with regard to case.
int MbCompare(const std::string& a, const std::string& b);
// The same without regard to case.
int MbCompareNoCase(const std::string& a, const std::string& b);

// True when names holds name, compared as MbCompareNoCase compares.
bool HoldsNoCase(const std::vector<std::string>& names, const std::string& name);

// Orders strings as MbCompareNoCase does: for sorts and sorted containers of
// printer names, which the spooler matches without regard to case.
struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const { return MbCompareNoCase(a, b) < 0; }
};
