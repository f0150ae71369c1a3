// The checks a set's source file meets before anything is installed: the
// apply refuses a set that fails them, and /sets reports them before a
// rollout. One rule for both.
#pragma once

#include <string>

// The file at path may be installed as a profile: its name passes the
// profile-file name rule and it is a file on a disk (not a folder or device).
bool MayInstallProfileFile(const std::string& path);

// Two source paths that would replace each other in the target folders,
// which are flat and keyed by file name: different files with one file name
// (without regard to case). The same path twice is one file, installed once.
bool SourcesClash(const std::string& a, const std::string& b);
