// What tells that a file changed or is the one written before: whether it
// is there, its size and its last-write time, looked up by name in its
// folder, so that it can be had while another program holds the file
// without sharing.
#pragma once

#include <string>

struct FileStamp {
    bool exists = false;
    unsigned long long size = 0;
    unsigned long long written = 0; // a FILETIME's 64 bits

    bool operator==(const FileStamp& other) const
    {
        return exists == other.exists && size == other.size && written == other.written;
    }
};

// The file at path, reached in the native folders while governed is true.
FileStamp StampOf(bool governed, const std::string& path);
