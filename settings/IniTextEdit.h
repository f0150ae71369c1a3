// Changes of an initialization file's sections made on its text in one pass,
// leaving the text as the profile functions' key writes, section moves and
// section deletions would leave it for their readers, where the profile
// functions rewrite the whole file on every write. Every line outside the
// changed sections stays byte for byte, and so do the comment lines (";")
// inside them, which a section write would drop.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One change of a section, as the profile functions would make it.
struct IniSectionChange {
    std::string section; // the section to change (matched as the profile functions match)
    std::string moveTo;  // empty: change in place; else the section's lines go under this name
    std::vector<std::pair<std::string, std::string>> keys; // keys set in order (WritePrivateProfileString each)
    // The keys are deleted instead (WritePrivateProfileString with no value;
    // their values are not used), and the section with them once no key is
    // left in it; never with moveTo.
    bool deleteKeys = false;
};

// The text an edit made, as pieces to be written one after another: the
// stretches of the text edited that stay as they were, as views into it (it
// must outlive them), and copies of the rest, so that a large file is not
// copied whole to be written.
struct EditedIniText {
    std::vector<std::string_view> pieces;
    std::deque<std::string> copies; // what the pieces that are no view into the text hold

    std::string Joined() const;
    bool Holds(std::string_view text) const; // the pieces joined are text
};

class IniDocument;

// One text edited in steps, the text read once: each step's changes are made
// on what the steps before left, as EditIniText makes them. The text must
// outlive the edit.
class CIniTextEdit {
public:
    explicit CIniTextEdit(const std::string& text);
    ~CIniTextEdit();
    CIniTextEdit(const CIniTextEdit&) = delete;
    CIniTextEdit& operator=(const CIniTextEdit&) = delete;

    // False where EditIniText would refuse the text or the changes; the edit
    // then takes no further step.
    bool Apply(const std::vector<IniSectionChange>& changes);
    // The text as the steps so far left it.
    void Pieces(EditedIniText& edited) const;

private:
    std::unique_ptr<IniDocument> m_document;
    bool m_usable = false;
};

// Applies the changes in order to text (the file's bytes). A change in place
// sets each key as WritePrivateProfileString does: the first line of the key
// in the first section of the name gets the value, a new key goes after the
// section's last line that is not blank, a new section at the end of the
// file. A move first sets the keys under section, then, where moveTo has a
// section, sets each key of section over it and deletes section; where it has
// none, takes section's lines (comments with them) to the end of the file
// under moveTo. A move onto the section itself only sets the keys.
// False (edited untouched) when the text or a change is one the edit cannot
// read exactly as the profile functions do on Windows and under Wine: a byte
// order mark, a NUL, a lone CR, a line longer than Windows 95/98 read, a text
// that is not whole characters of the system code page, a section name line
// that is not "[name]", a name the two may match differently, a key the move
// cannot set on its own; then the caller uses the profile functions.
bool EditIniText(const std::string& text, const std::vector<IniSectionChange>& changes, EditedIniText& edited);

// A text read once, for the values of keys as the profile functions read
// them (GetPrivateProfileString: a pair of the same quote around a value
// dropped). Each answer is false where the profile functions may read the
// text or the name otherwise. The text must outlive the reader.
class CIniTextReader {
public:
    explicit CIniTextReader(const std::string& text);
    ~CIniTextReader();
    CIniTextReader(const CIniTextReader&) = delete;
    CIniTextReader& operator=(const CIniTextReader&) = delete;

    // The value of key in the first section of that name; empty where missing.
    bool Value(const std::string& section, const std::string& key, std::string& value);
    // The values of key in every named section that has it, added to values.
    bool EveryValue(const std::string& key, std::vector<std::string>& values);
    // Whether the section read gives back a line of the section (a key, or
    // a line without "="): has.
    bool HasLines(const std::string& section, bool& has);

private:
    std::unique_ptr<IniDocument> m_document;
    bool m_usable = false;
};
