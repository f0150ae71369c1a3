// What the fuzz targets share: a property check that stops the run with the
// failed condition (libFuzzer then saves the input as a finding), and the
// input read as Windows text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition);                      \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)

// Text as Windows hands it over ends at its first NUL; the rest of the input
// starts after that NUL (empty when there is none).
inline std::string TakeText(const uint8_t*& data, size_t& size)
{
    size_t length = 0;
    while (length < size && data[length] != 0)
        ++length;
    std::string text(reinterpret_cast<const char*>(data), length);
    size_t used = length < size ? length + 1 : length;
    data += used;
    size -= used;
    return text;
}

// Whether offset starts a character of text in code page 932 (a lead byte at
// the very end stands alone).
inline bool StartsCharacter(const std::string& text, size_t offset)
{
    size_t i = 0;
    while (i < offset)
        i += (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return i == offset;
}
