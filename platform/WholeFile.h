// A file read whole into memory, reached in the native folders while
// governed is true, opened with reading and writing shared so that another
// program using it is not disturbed.
#pragma once

#include <windows.h>

#include <string>

// The whole file as bytes (empty when it does not exist); false, with the
// system's reason in error, when it exists but cannot be read, or a read
// fails part of the way.
bool ReadWholeFile(bool governed, const std::string& path, std::string& text, DWORD& error);
