// A tool settings file saved as UTF-8 (Notepad's default since Windows 10
// 1903, with or without a byte order mark). The profile functions would read
// its bytes as the system code page and give every name beyond ASCII garbled;
// such a file is read here instead, each line turned into the system code
// page, keeping what the profile functions' reading keeps: sections and keys
// matched without regard to case (the first of a name counts), blanks around
// names and values dropped, ";" lines skipped, one pair of the same quote
// around a value dropped.
#pragma once

#include <string>
#include <vector>

// True when bytes are to be read as UTF-8: they begin with its byte order
// mark, or they are valid UTF-8 and hold at least one byte beyond ASCII (a
// text of ASCII alone reads alike either way; a code page 932 text is
// hardly ever valid UTF-8).
bool IsUtf8IniText(const std::string& bytes);

// A value read, in the system code page, with the first of its characters
// that the code page cannot hold ("?" stands in for it in text).
struct Utf8IniValue {
    std::string text;
    int line = 0;      // the value's line, from 1
    unsigned lost = 0; // the first character lost, as its Unicode number; 0: none
    int lostLine = 0;  // where it is: the value's line, or its section's
};

class CUtf8IniText {
public:
    explicit CUtf8IniText(const std::string& bytes);

    // The value of key in the first section of that name (names in the system
    // code page); false when there is no such key. A character the code page
    // cannot hold in the section's name counts as lost in the value too.
    bool Value(const std::string& section, const std::string& key, Utf8IniValue& value) const;

private:
    struct Line {
        std::string text; // in the system code page
        unsigned lost;
        int number;
    };
    std::vector<Line> m_lines;
};
