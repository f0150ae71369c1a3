// The measure of every change of an initialization file: the changes made
// through the profile functions themselves, call by call, and the file read
// back through them.
#pragma once

#include "settings/IniTextEdit.h"

#include <string>
#include <vector>

// A key set is a key write; keys deleted are key deletions, then the
// section's deletion once the section read gives nothing back; a move writes
// each line of the section under the new name, key by key, then deletes the
// section (nothing where both names are one section's). False, with the
// file as far as it got, where a move would lose a line without "=".
bool ChangeByProfileFunctions(const std::string& path, const std::vector<IniSectionChange>& changes);

// Every section the profile functions list, each name ("[name]") followed
// by its lines.
std::vector<std::string> ReadBack(const std::string& path);
