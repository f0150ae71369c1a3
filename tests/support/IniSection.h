// One section of an initialization file as the profile calls read it, for
// comparing what a program recorded with what a test expects.
#pragma once

#include <string>
#include <vector>

// The section's "key=value" lines in file order; empty when the file or the
// section is missing.
std::vector<std::string> IniSection(const std::string& path, const std::string& section);
