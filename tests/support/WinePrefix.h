// Files of the Wine prefix a test runs in, seen from the host side through
// drive Z:, so that a test can look past WOW64 redirection: the prefix's
// drive_c/windows/system32 is the native system directory, syswow64 the one
// a 32-bit program is redirected to.
#pragma once

#include <string>

// "Z:\...\<prefix>\<relative>" (relative with backslashes, e.g.
// "drive_c\\windows\\system32\\x.kpx"); empty when WINEPREFIX is not set.
std::string PrefixPath(const std::string& relative);

// A file of the native system directory (drive_c\windows\system32) and of
// the one 32-bit programs are redirected to (drive_c\windows\syswow64).
std::string NativeSystemFile(const std::string& name);
std::string RedirectedSystemFile(const std::string& name);
