// How the profile functions see the 8-bit text of an initialization file in
// the system code page: which texts they read as whole characters, and which
// section and key names they take for the same name. They compare names as
// UTF-16 without regard to case, so the bytes decide only where the code page
// maps each character to one UTF-16 character of its own; elsewhere the
// answer is "doubtful" and an exact text edit must leave the file to them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// True when every byte of text is part of a whole character of the system
// code page that maps to one character of its own (in code page 932: no lead
// byte without a valid trail byte, no 0x80, 0xA0 or 0xFD-0xFF), and it holds
// no NUL and none of the control characters that Wine's reader takes for
// blanks (0x0B, 0x0C, 0x1A) while Windows' does not.
bool IsReadableIniText(std::string_view text);

// The lines of text as the profile functions' reader takes them apart, in
// one look at every byte of a file of thousands of sections. False where the
// text is not readable (IsReadableIniText), where a CR stands without an LF
// after it (Wine ends a line there, Windows does not), or where a line is
// longer than maxLine bytes; else sectionLines holds, in order, the offsets
// of the lines whose first character that is not a blank is "[".
bool ScanIniLines(std::string_view text, size_t maxLine, std::vector<size_t>& sectionLines);

enum class IniNameMatch {
    Different,
    Same,
    Doubtful // Windows and Wine, or code page mappings, may answer either way
};

// Whether the profile functions take the names (both readable) for one:
// ASCII letters compare without regard to case; two different characters
// count as different only where the code page gives each a UTF-16 character
// of its own without a case partner (in code page 932: kana, kanji of both
// levels, the symbols of the first rows); a double-byte letter that differs
// from the other only in case (full-width Latin, Greek, Cyrillic) is doubtful
// since Windows compares it without regard to case and Wine does not.
IniNameMatch MatchIniName(std::string_view a, std::string_view b);

// The name (readable) with each character as MatchIniName compares it: ASCII
// letters in upper case, a double-byte letter as its upper case, so that two
// names whose folded texts differ are Different, and names whose folded texts
// are equal are Same or Doubtful. False (folded undefined) when the name holds
// a character whose match with others is not known exactly (any character
// above ASCII outside code page 932's known ones): such a name must be
// compared with MatchIniName against every other.
bool FoldIniName(std::string_view name, std::string& folded);
