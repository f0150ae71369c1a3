// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes out of scope.
#pragma once

#include <string>

class TempDir {
public:
    explicit TempDir(const char* prefix = "kpx");
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

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
