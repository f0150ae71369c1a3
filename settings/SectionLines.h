// The text rules that let one write of a printer's whole section stand in
// for the key writes of its record: the section's lines merged with the
// record, and whether the file holds lines that a section read does not give
// back (comments), which such a write would drop.
#pragma once

#include <string>
#include <utility>
#include <vector>

using SectionEntry = std::pair<std::string, std::string>; // key, value

// lines: the section's lines as the section read gives them ("key=value").
// Each entry replaces the value of the first line of its key (keys compared
// without regard to case or surrounding blanks; the key keeps its spelling)
// or, when no line has it, is added after the last line, in order: the
// lines key by key writes leave.
std::vector<std::string> MergeSectionEntries(const std::vector<std::string>& lines,
                                             const std::vector<SectionEntry>& entries);

// True when a line of the file text is neither blank, nor a section name in
// brackets, nor a "key=value" line.
bool HasBareLines(const std::string& fileText);
