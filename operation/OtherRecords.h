// The printers that print with a file an apply replaces although their
// records name another set: the driver finds each profile by file name in
// shared folders, so a file written for one set is what every printer whose
// record names that file name uses from then on.
#pragma once

#include "printers/PrinterSnapshot.h"
#include "settings/KPXSetupINI.h"

#include <string>
#include <vector>

struct FileUsers {
    std::string fileName;              // the file name the apply wrote
    std::vector<std::string> printers; // the printers whose records name it under another set
};

// For each of sources (the set's files that were written), the printers of
// the snapshot other than those named in except whose records name
// its file name for any kind under a set other than setName, unless that
// set's own source for the kind is the very same file. Only file names with
// such printers are given, in the order of sources.
std::vector<FileUsers> PrintersOfOtherSetsUsing(const CPrinterSnapshot& printers, const CKPXSetupINI& toolIni,
                                                const std::string& setName, const std::vector<std::string>& except,
                                                const std::vector<std::string>& sources);
