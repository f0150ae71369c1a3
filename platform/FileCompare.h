// Whether a target file already holds a source file's bytes: what /check
// reports and what spares an apply a replacement that would change nothing.
#pragma once

#include <windows.h>

#include <string>

enum FileComparison {
    FilesSame,
    FilesDiffer,
    TargetMissing,  // the target (or its folder) does not exist
    FileUnreadable, // the target or the source cannot be read (error)
};

// The target, looked up in the native folders (under WOW64 with redirection
// switched off for the open), against the source where its path says, byte
// for byte. Both are opened with every sharing, so that a program holding
// them for reading or printing is not disturbed; a target another program
// holds without sharing is the source's file when its size and last-write
// time are the source's. The source is opened as every source is
// (SourceOpenFlags). error: the system's reason for FileUnreadable.
FileComparison CompareFileWithSource(const std::string& source, const std::string& target, DWORD& error);
