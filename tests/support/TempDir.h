// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes out of scope.
#pragma once

#include "support/Uncopyable.h"

#include <windows.h>

#include <string>

class TempDir : Uncopyable {
public:
    explicit TempDir(const char* prefix = "kpx");
    ~TempDir();

    const std::string& path() const { return m_path; }
    // path + "\\" + name
    std::string file(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// Writes bytes to a file, replacing it; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// The whole file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
// Gives Everyone full access to a file or folder (under Wine: mode 666 or
// 777, which reads back as such); false on failure.
bool LetEveryoneWrite(const std::string& path);
// Something (a file or a folder) is at path.
bool PathExists(const std::string& path);
// The system directory and a file in it, as the process sees them.
std::string SystemDirectory();
std::string SystemDirectoryFile(const std::string& name);
// The file name of a library loaded by its full path in the system directory
// ("C:\windows\system32\shfolder.dll" gives "shfolder.dll"); any other
// name as given, so that a load by bare name shows as one.
std::string SystemLibraryName(const std::string& loaded);

// Sets a file's last-write time (and with `allTimes` its creation and
// last-access times too) to `utc`; false on failure.
bool SetFileTimeUtc(const std::string& path, const SYSTEMTIME& utc, bool allTimes = false);
