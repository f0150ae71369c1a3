// Texts in the system's ANSI code page (932 on the test prefixes), for
// comparing what the program shows with what a test expects. Expected texts
// are easiest to write as UTF-8 literals (u8"..."); the program's own texts
// arrive as code page 932 bytes through the ANSI calls.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// The UTF-8 text as code page 932 bytes, converted by the system itself. A
// character without a code page 932 form fails the current test and gives an
// empty result, so a mistyped expectation cannot pass as '?'.
std::string Cp932(const std::string& utf8);

// Code page 932 bytes as UTF-8, for readable failure messages.
std::string Utf8FromCp932(const std::string& bytes);

// UTF-16 text, as resources and wide calls hold it, as UTF-8.
std::string Utf8FromUtf16(const std::wstring& text);

// "83 76 83 8A ..." for failure messages.
std::string HexBytes(const std::string& bytes);

// String-table entry of this executable as the ANSI call returns it; empty
// when the id is missing.
std::string LoadResourceString(UINT id);

// For EXPECT_PRED_FORMAT2: the two byte strings are equal. A difference is
// shown as text (converted to UTF-8) and as hex bytes.
::testing::AssertionResult SameBytes(const char* expectedExpr, const char* actualExpr, const std::string& expected,
                                     const std::string& actual);
