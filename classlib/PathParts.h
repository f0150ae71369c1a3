// Splitting 8-bit paths of the system code page. The second byte of a
// double-byte character may be 0x5C (for example the katakana "so" in code
// page 932 is 0x83 0x5C), so the last backslash is searched character by
// character, never byte by byte.
#pragma once

#include <string>

// Offset of the last real backslash in path, or std::string::npos.
size_t FindLastBackslash(const std::string& path);

// The text after the last backslash, and after the last forward slash in
// that; the whole path when it has neither.
std::string FileNamePart(const std::string& path);

// The text before the last backslash; the whole path when it has none.
std::string DirectoryPart(const std::string& path);
