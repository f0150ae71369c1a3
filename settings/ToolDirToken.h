// The "%KPXSETUP%" token of profile paths in the tool settings file, which
// stands for the tool directory.
#pragma once

#include <string>

extern const char kToolDirToken[]; // "%KPXSETUP%"

// One left-to-right pass: every non-overlapping occurrence of the token (exact,
// upper case, never starting on the second byte of a double-byte character) is
// replaced by toolDir; the scan resumes after the inserted text. Returns the
// number of occurrences replaced.
int ReplaceToolDirTokenOnce(std::string& text, const std::string& toolDir);

// Repeats the pass until one finds no token, so a token that a replacement
// forms across its edges is replaced too. Two cases would repeat for ever or
// only grow, and are cut short where the outcome is already known:
//  - a tool directory that itself holds the token brings a new token with
//    every replacement: one pass is made, so the directory appears as it is;
//  - a tool directory at least as long as the token never shortens the text:
//    once the text is longer than maxLength it can only end up too long, and
//    false is returned.
// False also after an (unreached in practice) pass limit. True otherwise.
bool SubstituteToolDir(std::string& text, const std::string& toolDir, size_t maxLength);
