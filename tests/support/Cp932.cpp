#include "support/Cp932.h"

#include <cstdio>
#include <vector>

namespace {

std::wstring Widen(const std::string& text, UINT codePage, DWORD flags)
{
    if (text.empty())
        return std::wstring();
    int n = MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), nullptr, 0);
    if (n <= 0)
        return std::wstring();
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), int(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage, DWORD flags, BOOL* usedDefault)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), nullptr, 0, nullptr, usedDefault);
    if (n <= 0)
        return std::string();
    std::string narrow(n, '\0');
    WideCharToMultiByte(codePage, flags, text.data(), int(text.size()), &narrow[0], n, nullptr, usedDefault);
    return narrow;
}

} // namespace

std::string Cp932(const std::string& utf8)
{
    std::wstring wide = Widen(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (wide.empty() && !utf8.empty()) {
        ADD_FAILURE() << "not valid UTF-8: " << HexBytes(utf8);
        return std::string();
    }
    // No best-fit mapping: a character that code page 932 lacks must show up
    // as a failure, not as a look-alike.
    BOOL usedDefault = FALSE;
    std::string bytes = Narrow(wide, 932, WC_NO_BEST_FIT_CHARS, &usedDefault);
    if (usedDefault) {
        ADD_FAILURE() << "no code page 932 form for: " << utf8;
        return std::string();
    }
    return bytes;
}

std::string Utf8FromCp932(const std::string& bytes)
{
    return Utf8FromUtf16(Widen(bytes, 932, 0));
}

std::string Utf8FromUtf16(const std::wstring& text)
{
    return Narrow(text, CP_UTF8, 0, nullptr);
}

std::string HexBytes(const std::string& bytes)
{
    std::string hex;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, hex.empty() ? "%02X" : " %02X", c);
        hex += buf;
    }
    return hex;
}

std::string LoadResourceString(UINT id)
{
    // A string-table entry holds at most 4097 characters; 8-bit text can
    // take two bytes for each.
    std::vector<char> buf(8200);
    int n = LoadStringA(GetModuleHandleA(nullptr), id, buf.data(), int(buf.size()));
    return std::string(buf.data(), n > 0 ? size_t(n) : 0);
}

::testing::AssertionResult SameBytes(const char* expectedExpr, const char* actualExpr, const std::string& expected,
                                     const std::string& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << actualExpr << " differs from " << expectedExpr << "\n"
                                         << "  expected: \"" << Utf8FromCp932(expected) << "\" [" << HexBytes(expected)
                                         << "]\n"
                                         << "  actual:   \"" << Utf8FromCp932(actual) << "\" [" << HexBytes(actual)
                                         << "]";
}
