#include "platform/FileDigest.h"

#include "platform/WholeFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

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

const std::uint32_t kRounds[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

std::uint32_t Rotate(std::uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}

CSha256::CSha256()
    : m_state{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19}
{
}

void CSha256::Block(const unsigned char* block)
{
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = (std::uint32_t(block[4 * i]) << 24) | (std::uint32_t(block[4 * i + 1]) << 16) |
               (std::uint32_t(block[4 * i + 2]) << 8) | std::uint32_t(block[4 * i + 3]);
    for (int i = 16; i < 64; ++i) {
        const std::uint32_t s0 = Rotate(w[i - 15], 7) ^ Rotate(w[i - 15], 18) ^ (w[i - 15] >> 3);
        const std::uint32_t s1 = Rotate(w[i - 2], 17) ^ Rotate(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t v[8];
    std::memcpy(v, m_state, sizeof v);
    for (int i = 0; i < 64; ++i) {
        const std::uint32_t s1 = Rotate(v[4], 6) ^ Rotate(v[4], 11) ^ Rotate(v[4], 25);
        const std::uint32_t choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
        const std::uint32_t t1 = v[7] + s1 + choice + kRounds[i] + w[i];
        const std::uint32_t s0 = Rotate(v[0], 2) ^ Rotate(v[0], 13) ^ Rotate(v[0], 22);
        const std::uint32_t majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
        std::memmove(v + 1, v, 7 * sizeof v[0]);
        v[4] += t1;
        v[0] = t1 + s0 + majority;
    }
    for (int i = 0; i < 8; ++i)
        m_state[i] += v[i];
}

void CSha256::Add(const void* data, size_t size)
{
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    m_length += size;
    while (size > 0) {
        const size_t taken = size < 64 - m_buffered ? size : 64 - m_buffered;
        std::memcpy(m_buffer + m_buffered, bytes, taken);
        m_buffered += taken;
        bytes += taken;
        size -= taken;
        if (m_buffered == 64) {
            Block(m_buffer);
            m_buffered = 0;
        }
    }
}

std::string CSha256::HexDigest()
{
    const std::uint64_t bits = m_length * 8;
    const unsigned char one = 0x80, zero = 0;
    Add(&one, 1);
    while (m_buffered != 56)
        Add(&zero, 1);
    unsigned char length[8];
    for (int i = 0; i < 8; ++i)
        length[i] = static_cast<unsigned char>(bits >> (56 - 8 * i));
    Add(length, 8);
    std::string hex;
    char digits[9];
    for (const std::uint32_t word : m_state) {
        std::snprintf(digits, sizeof digits, "%08lx", static_cast<unsigned long>(word));
        hex += digits;
    }
    return hex;
}

std::string Sha256Hex(const std::string& bytes)
{
    CSha256 digest;
    digest.Add(bytes.data(), bytes.size());
    return digest.HexDigest();
}

} // namespace

bool FileDigest(bool governed, const std::string& path, std::string& digest, DWORD& error)
{
    std::string bytes;
    error = 0;
    if (!ReadWholeFile(governed, path, bytes, error) || error == ERROR_FILE_NOT_FOUND)
        return false;
    digest = Sha256Hex(bytes);
    return true;
}
