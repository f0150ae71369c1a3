// The SHA-256 digest of a file's bytes, as lower-case hexadecimal: what the
// tool's account of installed files keeps of each file it put in place, so
// that a removal can tell its own file from one somebody put there since.
#pragma once

#include <windows.h>

#include <string>

// The digest of the file at path (reached in the native folders while
// governed is true). False, with the system's reason in error, when it
// cannot be read whole.
bool FileDigest(bool governed, const std::string& path, std::string& digest, DWORD& error);
