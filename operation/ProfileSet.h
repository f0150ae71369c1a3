// A profile set's four source files, read from the tool settings file and
// checked as every command that works with a set checks them: each exists,
// is a profile file on a disk that only administrators can change, and no
// two different files share a file name (the target folders are flat, keyed
// by file name). The apply, /check and /sets all read a set here.
#pragma once

#include "platform/SourceTrust.h"
#include "settings/KPXSetupINI.h"
#include "settings/ProfileKind.h"

#include <windows.h>

#include <functional>
#include <string>

enum SetFault {
    SetFilesOk,
    SetFileMissing,    // a file cannot be opened for reading (given up)
    SetFileNotProfile, // a file may not be installed as a profile
    SetFileUntrusted,  // others than administrators may change a file (or it lies behind a link)
    SetFileNameShared, // two different files have one file name
};

struct ProfileSetFiles {
    std::string paths[4]; // in the order of kProfileSlots
    // What stopped the reading: the file (and its kind) that is missing, no
    // profile file or untrusted, with why for an untrusted one; the shared
    // file name. (The missing file's reason went to the question about it.)
    std::string badFile;
    ProfileKind badKind = ProfileAuto;
    SourceTrust trust;
    std::string clashingFile;
};

// The set's four paths as the tool settings file gives them (empty where a
// key is missing or cannot be expanded).
void ReadSetPaths(const CKPXSetupINI& toolIni, const std::string& setName, std::string paths[4]);

// Asked about a file that cannot be opened for reading: true to test path
// again (it may have been corrected), false to give up.
using AskMissingFile = std::function<bool(std::string& path, DWORD error)>;

// Reads the set and checks it before anything is written: first that every
// file exists (asking about each missing one), then that each is a profile
// file, then that only administrators can change each, then that no two
// share a file name; the first fault found.
SetFault ReadProfileSet(const CKPXSetupINI& toolIni, const std::string& setName, const AskMissingFile& missing,
                        ProfileSetFiles& set);

// One file of a set on its own, for a report of every file: missing, no
// profile file, untrusted, or sharing its file name with an earlier slot's
// file. error: the system's reason for SetFileMissing; trust: why for
// SetFileUntrusted.
SetFault CheckSetFile(const std::string paths[4], int slot, DWORD& error, SourceTrust& trust);
