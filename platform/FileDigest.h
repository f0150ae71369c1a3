// The SHA-256 digest of a file's bytes, as lower-case hexadecimal: what the
// tool's account of installed files keeps of each file it put in place, so
// that a removal can tell its own file from one somebody put there since.
#pragma once

#include <windows.h>
#include <cstdint>
#include <string>

class CSha256 {
public:
    CSha256();
    void Add(const void* data, size_t size);
    // The digest of everything added; the object is spent afterwards.
    std::string HexDigest();

private:
    void Block(const unsigned char* block);

    std::uint32_t m_state[8];
    unsigned char m_buffer[64] = {};
    size_t m_buffered = 0;
    std::uint64_t m_length = 0;
};

std::string Sha256Hex(const std::string& bytes);

// The digest of the file at path (reached in the native folders while
// governed is true). False, with the system's reason in error, when it
// cannot be read whole.
bool FileDigest(bool governed, const std::string& path, std::string& digest, DWORD& error);
