// The text edit of an initialization file on any text and change: when it
// edits, the changed section reads back with each key as last set (read here
// by a plain reader of its own), the lines that are not blank outside the
// changed sections stay as they were, in order, and the result edits again
// unchanged. The edit finds sections by their folded names: two names fold
// alike exactly when they do not compare as different. Its one pass over the
// text's lines finds what a plain reader of one byte at a time finds, and
// a change made in two steps of one edit makes the same text.
#include "FuzzCheck.h"
#include "settings/IniNames.h"
#include "settings/IniTextEdit.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

const char* const kNames[] = {"a", "A", "b", "\x83\x5C", "\x82\x90", " c"};
const char* const kKeys[] = {"x", "X", "y", "\x83\x5C", "=", ""};
// The last is a value longer than the pieces the edit copies to be written.
const std::string kValues[] = {"1", "v=w", "\x83\x5C", "", std::string(5000, 'v')};

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Trimmed, ASCII letters in upper case, double-byte characters as they are.
std::string Fold(std::string text)
{
    text = Trim(text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])))
            ++i;
        else if (text[i] >= 'a' && text[i] <= 'z')
            text[i] = static_cast<char>(text[i] - 'a' + 'A');
    }
    return text;
}

struct Line {
    int section = 0;  // the number of the section it stands in, 0 before the first
    std::string name; // that section's name line, folded
    std::string text; // as in the file, without its line end (CR LF or LF)
};

// The lines that are not blank.
std::vector<Line> LinesOf(const std::string& text)
{
    std::vector<Line> lines;
    Line line;
    std::istringstream in(text);
    while (std::getline(in, line.text)) {
        if (!line.text.empty() && line.text.back() == '\r')
            line.text.pop_back();
        if (Trim(line.text)[0] == '[') {
            ++line.section;
            line.name = Fold(line.text);
        }
        if (!Trim(line.text).empty())
            lines.push_back(line);
    }
    return lines;
}

// The values of the key's lines in the first section of that name.
std::vector<std::string> Values(const std::string& text, const std::string& section, const std::string& key)
{
    std::vector<std::string> values;
    int first = -1;
    for (const Line& line : LinesOf(text)) {
        if (first < 0 && line.name == Fold("[" + section + "]"))
            first = line.section;
        const size_t equals = line.text.find('=');
        if (line.section == first && equals != std::string::npos && Fold(line.text.substr(0, equals)) == Fold(key))
            values.push_back(Trim(line.text.substr(equals + 1)));
    }
    return values;
}

// The number of sections of that name.
size_t Sections(const std::string& text, const std::string& section)
{
    size_t count = 0;
    int last = 0;
    for (const Line& line : LinesOf(text)) {
        if (line.section != last && line.name == Fold("[" + section + "]"))
            ++count;
        last = line.section;
    }
    return count;
}

std::vector<std::string> Outside(const std::string& text, const IniSectionChange& change)
{
    std::vector<std::string> lines;
    for (const Line& line : LinesOf(text)) {
        if (line.name != Fold("[" + change.section + "]") && line.name != Fold("[" + change.moveTo + "]"))
            lines.push_back(line.text);
    }
    return lines;
}

// The lines as ScanIniLines takes them apart, found one line at a time.
bool PlainScan(const std::string& text, size_t maxLine, std::vector<size_t>& sectionLines)
{
    sectionLines.clear();
    if (!IsReadableIniText(text))
        return false;
    for (size_t start = 0;;) {
        const size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        if (end - start > maxLine || (end < text.size() && text[end] == '\r' && text.compare(end, 2, "\r\n") != 0))
            return false;
        const size_t first = text.find_first_not_of(" \t", start);
        if (first < end && text[first] == '[')
            sectionLines.push_back(start);
        if (end == text.size())
            return true;
        start = end + (text[end] == '\r' ? 2 : 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = TakeText(data, size);
    std::vector<size_t> lines, plainLines;
    const size_t maxLine = size > 0 && data[0] < 0x80 ? data[0] % 24 : 32766;
    const bool scanned = ScanIniLines(text, maxLine, lines);
    FUZZ_CHECK(scanned == PlainScan(text, maxLine, plainLines) && (!scanned || lines == plainLines));
    const std::string a = text.substr(0, text.size() / 2), b = text.substr(text.size() / 2);
    std::string foldedA, foldedB;
    if (IsReadableIniText(a) && IsReadableIniText(b) && FoldIniName(a, foldedA) && FoldIniName(b, foldedB))
        FUZZ_CHECK((foldedA == foldedB) == (MatchIniName(a, b) != IniNameMatch::Different));
    if (size < 3)
        return 0;
    IniSectionChange change;
    change.section = kNames[data[0] % 6];
    change.moveTo = data[1] % 7 < 6 ? kNames[data[1] % 7] : "";
    for (size_t i = 3; i + 1 < size && change.keys.size() < data[2] % 4u; i += 2)
        change.keys.emplace_back(kKeys[data[i] % 6], kValues[data[i + 1] % 5]);
    // Or the keys deleted, as a removal deletes a record (never with a move).
    change.deleteKeys = (data[2] & 0x40) != 0;
    if (change.deleteKeys)
        change.moveTo.clear();
    EditedIniText pieces;
    if (!EditIniText(text, {change}, pieces))
        return 0;
    const std::string edited = pieces.Joined();

    const bool moved = !change.moveTo.empty() && Fold(change.moveTo) != Fold(change.section);
    for (const auto& key : change.keys) {
        if (change.deleteKeys)
            break;
        // A key twice in the moved section is set over the target twice.
        if (moved && Values(text, change.section, key.first).size() > 1)
            continue;
        std::string last;
        for (const auto& set : change.keys)
            last = Fold(set.first) == Fold(key.first) ? set.second : last;
        const std::vector<std::string> values = Values(edited, moved ? change.moveTo : change.section, key.first);
        FUZZ_CHECK(!values.empty() && values.front() == last);
    }
    // A deletion takes the first line of each key named, once for each time
    // it is named, from a section of a name no other section has.
    if (change.deleteKeys && Sections(text, change.section) == 1) {
        for (const auto& key : change.keys) {
            size_t times = 0;
            for (const auto& deleted : change.keys)
                times += Fold(deleted.first) == Fold(key.first);
            const size_t before = Values(text, change.section, key.first).size();
            FUZZ_CHECK(Values(edited, change.section, key.first).size() == before - std::min(before, times));
        }
    }
    FUZZ_CHECK(Outside(text, change) == Outside(edited, change));
    EditedIniText again;
    FUZZ_CHECK(EditIniText(edited, {}, again) && again.Joined() == edited);
    // In two steps of one edit, the keys and then the move, the same text.
    CIniTextEdit steps(text);
    EditedIniText stepped;
    IniSectionChange keysFirst = change;
    keysFirst.moveTo.clear();
    FUZZ_CHECK(steps.Apply({keysFirst}) && steps.Apply({{change.section, change.moveTo, {}}}));
    steps.Pieces(stepped);
    FUZZ_CHECK(stepped.Joined() == edited);
    return 0;
}
