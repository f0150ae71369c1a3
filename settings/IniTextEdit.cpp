#include "settings/IniTextEdit.h"

#include "classlib/WholeCharacters.h"
#include "settings/IniNames.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <string_view>

namespace {

// Windows 95/98 read and write at most 32 KB less two bytes of a profile
// string at a time; a longer line is not read there as it stands.
const size_t kMaxLineBytes = 32766;
// The line end the profile writers give the lines they add.
const std::string_view kLineEnd = "\r\n";
const std::string_view kLf = "\n";
const size_t kNone = std::string::npos;
// A stretch of the text read at least this long is written from where it
// stands; a shorter one is copied along with the pieces around it.
const size_t kOwnPieceBytes = 4096;
// The sections an edit has room for beyond those read before it grows.
const size_t kSectionsAdded = 64;

// A line as a view: into the text read, or into a line the edit made (kept
// by the document for as long as it lives).
struct Line {
    std::string_view text; // without its line end
    std::string_view end;  // "\r\n", "\n", or empty for a last line without one
};

enum class LineKind { Blank, Comment, SectionName, Key, Bare };

struct LineParts {
    LineKind kind = LineKind::Blank;
    std::string_view name;  // a section's or a key's name; a bare line's text
    std::string_view value; // a key's value as the profile functions read it
};

// The lines of one section, its name line first. The lines before the first
// section and those left behind by a section taken away are unnamed. A
// section no change has touched stays one span of the text read, its lines
// and line ends as they are; one that a change touches is split into lines.
struct Section {
    bool named = false;
    bool ascii = false; // a name read of plain ASCII
    std::string_view name;
    bool split = false;
    std::string_view span;   // while not split
    std::vector<Line> lines; // once split
};

// The edit looks at every byte of a file of thousands of sections: its
// searches are loops of its own, not the run-time library's calls per line.
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text)
{
    // Neither blank can be a trail byte, so a byte search finds characters.
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// The offset of the first character c (ASCII) in text, as a character and
// not as the trail byte of another. No code page has a lead byte below 0x80.
size_t FindChar(std::string_view text, char c, size_t from = 0)
{
    for (size_t i = from; i < text.size();) {
        if (text[i] == c)
            return i;
        i += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : CharLengthAt(text, i);
    }
    return kNone;
}

// The offset of the first CR or LF from start on (neither can be a trail
// byte), text's size when there is none.
size_t FindLineEnd(std::string_view text, size_t start)
{
    size_t i = start;
    // Four bytes at a time while none of them is a CR or an LF: a byte of a
    // word equals c where the word xor c has a zero byte.
    const auto holdsZeroByte = [](std::uint32_t word) { return (word - 0x01010101u) & ~word & 0x80808080u; };
    while (i + 4 <= text.size()) {
        std::uint32_t word;
        std::memcpy(&word, text.data() + i, 4);
        if (holdsZeroByte(word ^ 0x0A0A0A0Au) | holdsZeroByte(word ^ 0x0D0D0D0Du))
            break;
        i += 4;
    }
    while (i < text.size() && text[i] != '\n' && text[i] != '\r')
        ++i;
    return i;
}

bool IsOneLine(std::string_view text)
{
    return IsReadableIniText(text) && FindLineEnd(text, 0) == text.size();
}

bool IsSectionName(std::string_view name)
{
    return !name.empty() && IsOneLine(name) && Trimmed(name) == name && FindChar(name, ']') == kNone;
}

bool IsKeyName(std::string_view key)
{
    // A key starting with ";" would be a comment, one starting with "[" a
    // section's name line.
    return !key.empty() && IsOneLine(key) && Trimmed(key) == key && FindChar(key, '=') == kNone && key[0] != ';' &&
           key[0] != '[';
}

// The name of the section whose name line starts at start of text (and ends
// at a line end or the end of text), found in one look at the line's bytes,
// and whether it is plain ASCII; text is readable, and the line's first
// character that is not a blank is "[". False where the two readers may read
// another name: Wine ends the name at the last "]" of the line, so only
// "[name]", with blanks around it at most, reads the same everywhere.
bool SectionNameAt(std::string_view text, size_t start, std::string_view& name, bool& ascii)
{
    size_t open = start;
    while (IsBlank(text[open]))
        ++open;
    size_t close = kNone, end = open + 1; // the first "]"; past the last character not a blank
    ascii = true;
    for (size_t i = open + 1; i < text.size() && text[i] != '\r' && text[i] != '\n';) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) {
            ascii = false;
            i += CharLengthAt(text, i);
            end = i;
            continue;
        }
        if (b == ']' && close == kNone)
            close = i;
        ++i;
        if (!IsBlank(static_cast<char>(b)))
            end = i;
    }
    if (close == kNone || close + 1 != end)
        return false;
    name = text.substr(open + 1, close - open - 1);
    return !name.empty() && !IsBlank(name.front()) && !IsBlank(name.back());
}

// False for a line the two readers may take apart differently.
bool ParseLine(std::string_view text, LineParts& parts)
{
    const std::string_view line = Trimmed(text);
    parts = LineParts();
    if (line.empty())
        return true;
    if (line[0] == ';') {
        parts.kind = LineKind::Comment;
        return true;
    }
    if (line[0] == '[') {
        parts.kind = LineKind::SectionName;
        bool ascii = false;
        return SectionNameAt(text, 0, parts.name, ascii);
    }
    const size_t equals = FindChar(line, '=');
    parts.kind = equals == kNone ? LineKind::Bare : LineKind::Key;
    parts.name = Trimmed(line.substr(0, equals));
    if (equals != kNone)
        parts.value = Trimmed(line.substr(equals + 1));
    return true;
}

// A value as a key read gives it: one pair of the same quote (" or ') around
// it dropped. The line read of a section keeps them.
std::string_view Unquoted(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

LineParts PartsOf(const Line& line)
{
    LineParts parts;
    ParseLine(line.text, parts); // every line was checked on the way in
    return parts;
}

// The line of text that starts at start, and where the next one starts. A
// CR ends the line only before an LF (the edit takes no text with a CR alone).
Line LineAt(std::string_view text, size_t start, size_t& next)
{
    Line line;
    const size_t end = FindLineEnd(text, start);
    line.text = text.substr(start, end - start);
    next = end;
    if (end < text.size()) {
        line.end = text[end] == '\r' ? kLineEnd : kLf;
        next += line.end.size();
    }
    return line;
}

// The index of the section's last line that is not blank; blank lines after
// it part the section from the next and stay where they are.
size_t LastContentLine(const Section& section)
{
    size_t last = 0;
    for (size_t i = 0; i < section.lines.size(); ++i) {
        if (!Trimmed(section.lines[i].text).empty())
            last = i;
    }
    return last;
}

// The named sections by a hash of their folded names (FoldIniName), in open
// addressing: a name finds the sections that may match it without comparing
// it with all the others. Sections never leave it; one taken away is no
// longer named, which the finder checks.
class SectionIndex {
public:
    void Add(size_t hash, size_t section)
    {
        if ((m_used + 1) * 3 > m_slots.size() * 2)
            Grow();
        Place(hash, section);
        ++m_used;
    }
    // The sections added under hash (and maybe others), in no order.
    void Collect(size_t hash, std::vector<size_t>& sections) const
    {
        if (m_slots.empty())
            return;
        const size_t mask = m_slots.size() - 1;
        for (size_t i = hash & mask; m_slots[i].section != kNone; i = (i + 1) & mask) {
            if (m_slots[i].hash == hash)
                sections.push_back(m_slots[i].section);
        }
    }

private:
    struct Slot {
        size_t hash = 0;
        size_t section = kNone;
    };
    void Place(size_t hash, size_t section)
    {
        const size_t mask = m_slots.size() - 1;
        size_t i = hash & mask;
        while (m_slots[i].section != kNone)
            i = (i + 1) & mask;
        m_slots[i] = {hash, section};
    }
    void Grow() { Rehash(std::max<size_t>(64, m_slots.size() * 2)); }
    void Rehash(size_t size)
    {
        std::vector<Slot> old(size);
        old.swap(m_slots);
        for (const Slot& slot : old) {
            if (slot.section != kNone)
                Place(slot.hash, slot.section);
        }
    }

    std::vector<Slot> m_slots; // a power of two of them, at most two thirds used
    size_t m_used = 0;
};

} // namespace

// The text's sections, split into lines where a change touches them.
class IniDocument {
public:
    // text must outlive the document: its lines are views into it.
    bool Load(std::string_view text);
    bool Apply(const IniSectionChange& change);
    // The value of key in the named section as the profile functions read
    // it (empty where missing); false where they may read it otherwise.
    bool Value(std::string_view sectionName, std::string_view key, std::string& value);
    // The values of key in every named section that has it.
    bool EveryValue(std::string_view key, std::vector<std::string>& values);
    // Whether the named section holds a key or a line without "=".
    bool HasLines(std::string_view sectionName, bool& has);
    bool Lines(std::string_view sectionName, size_t& index, bool& has, bool& comments);
    void Pieces(EditedIniText& edited) const;
    // Every line within what the profile functions read.
    bool LinesFit() const;

private:
    bool Find(std::string_view name, size_t& index);
    bool SetKey(std::string_view sectionName, std::string_view key, std::string_view value);
    bool Move(std::string_view from, std::string_view to);
    // The line of key in the section (split), kNone for none; false where
    // the readers may take another line for it.
    static bool KeyLine(const Section& section, std::string_view key, size_t& line);
    // The named section (split) and the key's line in it, each kNone for none.
    bool FindKey(std::string_view sectionName, std::string_view key, size_t& index, size_t& line);
    bool DeleteKey(std::string_view sectionName, std::string_view key);
    // Takes the section away once no key is left in it.
    bool DropIfEmpty(std::string_view sectionName);
    Section TakeOut(size_t index);
    void Append(Section section);
    // The section's lines one by one, from here on.
    static void Split(Section& section);
    // A view of a line the edit made, kept as long as the document.
    std::string_view Keep(std::string line);
    // The section, named, pushed at the end and indexed under its name.
    void PushNamed(Section section);
    // The named section at index found by its name from now on.
    void Index(size_t index);
    // The sections read of plain ASCII names that long, indexed once the
    // first name of that length is looked for.
    void IndexNamesOfLength(size_t length);

    std::string_view m_text; // the text read
    std::vector<Section> m_sections;
    std::deque<std::string> m_made; // the lines the edit made (a deque never moves them)
    SectionIndex m_index;
    std::vector<size_t> m_unfolded; // named sections whose names cannot be folded, in order
    size_t m_read = 0;              // the sections read from the text
    std::vector<size_t> m_lengths;  // the lengths IndexNamesOfLength indexed
    std::string m_folded;           // work space of FoldIniName
    std::vector<size_t> m_found;    // work space of Find
};

bool IniDocument::Load(std::string_view text)
{
    // Byte order marks: Wine reads such a file as UTF-8 or UTF-16, not in the
    // system code page.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0 || text.compare(0, 2, "\xFF\xFE") == 0 ||
        text.compare(0, 2, "\xFE\xFF") == 0)
        return false;
    m_text = text;
    std::vector<size_t> nameLines;
    if (!ScanIniLines(text, kMaxLineBytes, nameLines))
        return false;
    // Room made once for the sections read and those a few changes add:
    // growing would move every section.
    m_sections.reserve(nameLines.size() + 1 + kSectionsAdded);
    m_sections.assign(1, Section());
    size_t sectionStart = 0;
    const auto endSection = [&](size_t end) {
        m_sections.back().span = text.substr(sectionStart, end - sectionStart);
        sectionStart = end;
    };
    for (const size_t start : nameLines) {
        Section section;
        if (!SectionNameAt(text, start, section.name, section.ascii))
            return false;
        endSection(start);
        section.named = true;
        m_sections.push_back(std::move(section));
    }
    endSection(text.size());
    m_read = m_sections.size();
    // Folding keeps a name's length, so a section of plain ASCII can match
    // only names as long as its own: those are indexed when such a name is
    // first looked for, which spares most of a large file's sections the
    // folding and the index. The others are indexed now.
    for (size_t i = 1; i < m_read; ++i) {
        if (!m_sections[i].ascii)
            Index(i);
    }
    return true;
}

void IniDocument::IndexNamesOfLength(size_t length)
{
    if (std::find(m_lengths.begin(), m_lengths.end(), length) != m_lengths.end())
        return;
    m_lengths.push_back(length);
    for (size_t i = 1; i < m_read; ++i) {
        if (m_sections[i].named && m_sections[i].name.size() == length && m_sections[i].ascii)
            Index(i);
    }
}

void IniDocument::Split(Section& section)
{
    if (section.split)
        return;
    section.split = true;
    for (size_t start = 0, next = 0; start < section.span.size(); start = next)
        section.lines.push_back(LineAt(section.span, start, next));
    section.span = std::string_view();
}

std::string_view IniDocument::Keep(std::string line)
{
    m_made.push_back(std::move(line));
    return m_made.back();
}

void IniDocument::PushNamed(Section section)
{
    section.named = true;
    m_sections.push_back(std::move(section));
    Index(m_sections.size() - 1);
}

void IniDocument::Index(size_t index)
{
    if (FoldIniName(m_sections[index].name, m_folded))
        m_index.Add(std::hash<std::string>()(m_folded), index);
    else
        m_unfolded.push_back(index);
}

bool IniDocument::LinesFit() const
{
    // A section not split holds the lines as read, which fit.
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            if (line.text.size() > kMaxLineBytes)
                return false;
        }
    }
    return true;
}

void IniDocument::Pieces(EditedIniText& edited) const
{
    edited.pieces.clear();
    edited.copies.clear();
    // A long stretch of the text read is written from where it stands. A
    // short piece goes into the copy the last piece holds, so that the lines
    // of many changed sections are written a few at a time; so does a line
    // the edit made, which goes with the document.
    const std::less_equal<const char*> notAfter;
    const auto inText = [&](std::string_view piece) {
        return notAfter(m_text.data(), piece.data()) &&
               notAfter(piece.data() + piece.size(), m_text.data() + m_text.size());
    };
    const auto add = [&](std::string_view piece) {
        if (piece.empty())
            return;
        if (piece.size() >= kOwnPieceBytes && inText(piece)) {
            edited.pieces.push_back(piece);
            return;
        }
        if (edited.pieces.empty() || edited.copies.empty() ||
            edited.pieces.back().data() != edited.copies.back().data()) {
            edited.copies.emplace_back();
            edited.pieces.emplace_back();
        }
        edited.copies.back().append(piece);
        edited.pieces.back() = edited.copies.back();
    };
    // Sections that follow each other in the text read stay one stretch.
    std::string_view run;
    for (const Section& section : m_sections) {
        if (!section.span.empty() && run.data() + run.size() == section.span.data()) {
            run = std::string_view(run.data(), run.size() + section.span.size());
            continue;
        }
        add(run);
        run = section.span;
        for (const Line& line : section.lines) {
            add(line.text);
            add(line.end);
        }
    }
    add(run);
}

// index: the section of that name, kNone when none; false when another
// section may be of that name too.
bool IniDocument::Find(std::string_view name, size_t& index)
{
    // Only the sections whose folded names equal the name's folded one can
    // match it, and those whose names cannot be folded; a name that cannot
    // be folded itself is compared with every section.
    m_found.clear();
    IndexNamesOfLength(name.size()); // before the name is folded: it folds the others in the same space
    if (FoldIniName(name, m_folded)) {
        m_index.Collect(std::hash<std::string>()(m_folded), m_found);
        m_found.insert(m_found.end(), m_unfolded.begin(), m_unfolded.end());
        std::sort(m_found.begin(), m_found.end());
    } else {
        for (size_t i = 0; i < m_sections.size(); ++i)
            m_found.push_back(i);
    }
    // Two sections of one name: which one a write, a deletion or a read of
    // the profile functions takes, Windows and Wine may answer differently.
    index = kNone;
    for (const size_t i : m_found) {
        if (!m_sections[i].named)
            continue;
        const IniNameMatch match = MatchIniName(m_sections[i].name, name);
        if (match == IniNameMatch::Doubtful || (match == IniNameMatch::Same && index != kNone))
            return false;
        if (match == IniNameMatch::Same)
            index = i;
    }
    return true;
}

bool IniDocument::SetKey(std::string_view sectionName, std::string_view key, std::string_view value)
{
    size_t index = kNone;
    if (!Find(sectionName, index))
        return false;
    if (index == kNone) {
        Section section;
        const std::string_view nameLine = Keep("[" + std::string(sectionName) + "]");
        section.name = nameLine.substr(1, sectionName.size());
        section.split = true;
        section.lines = {{nameLine, kLineEnd}, {Keep(std::string(key) + "=" + std::string(value)), kLineEnd}};
        Append(std::move(section));
        return true;
    }
    Section& section = m_sections[index];
    Split(section);
    size_t line = kNone;
    if (!KeyLine(section, key, line))
        return false;
    if (line != kNone) {
        // The key keeps its spelling, without the blanks around it.
        const LineParts parts = PartsOf(section.lines[line]);
        if (parts.value != value)
            section.lines[line].text = Keep(std::string(parts.name) + "=" + std::string(value));
        return true;
    }
    const size_t last = LastContentLine(section);
    if (section.lines[last].end.empty())
        section.lines[last].end = kLineEnd;
    section.lines.insert(section.lines.begin() + last + 1,
                         Line{Keep(std::string(key) + "=" + std::string(value)), kLineEnd});
    return true;
}

bool IniDocument::KeyLine(const Section& section, std::string_view key, size_t& line)
{
    line = kNone;
    for (size_t i = 1; i < section.lines.size(); ++i) {
        const LineParts parts = PartsOf(section.lines[i]);
        if (parts.kind != LineKind::Key && parts.kind != LineKind::Bare)
            continue;
        const IniNameMatch match = MatchIniName(parts.name, key);
        if (match == IniNameMatch::Different)
            continue;
        // Wine takes a line of the key's name without "=" for the key (it
        // sets the value there, deletes the line); Windows does not.
        if (match == IniNameMatch::Doubtful || parts.kind == LineKind::Bare)
            return false;
        line = i;
        return true;
    }
    return true;
}

bool IniDocument::FindKey(std::string_view sectionName, std::string_view key, size_t& index, size_t& line)
{
    index = line = kNone;
    if (!Find(sectionName, index))
        return false;
    if (index == kNone)
        return true;
    Split(m_sections[index]);
    return KeyLine(m_sections[index], key, line);
}

bool IniDocument::Value(std::string_view sectionName, std::string_view key, std::string& value)
{
    value.clear();
    size_t index = kNone, line = kNone;
    if (!FindKey(sectionName, key, index, line))
        return false;
    if (line != kNone)
        value = std::string(Unquoted(PartsOf(m_sections[index].lines[line]).value));
    return true;
}

bool IniDocument::EveryValue(std::string_view key, std::vector<std::string>& values)
{
    for (Section& section : m_sections) {
        if (!section.named)
            continue;
        Split(section);
        size_t line = kNone;
        if (!KeyLine(section, key, line))
            return false;
        if (line != kNone)
            values.emplace_back(Unquoted(PartsOf(section.lines[line]).value));
    }
    return true;
}

// What the section read gives of the named section (split; index kNone for
// none): has, whether any line (a key, a line without "="); comments,
// whether comment lines.
bool IniDocument::Lines(std::string_view sectionName, size_t& index, bool& has, bool& comments)
{
    has = comments = false;
    if (!Find(sectionName, index))
        return false;
    if (index == kNone)
        return true;
    Split(m_sections[index]);
    for (size_t i = 1; i < m_sections[index].lines.size(); ++i) {
        const LineKind kind = PartsOf(m_sections[index].lines[i]).kind;
        has = has || kind == LineKind::Key || kind == LineKind::Bare;
        comments = comments || kind == LineKind::Comment;
    }
    return true;
}

bool IniDocument::HasLines(std::string_view sectionName, bool& has)
{
    size_t index = kNone;
    bool comments = false;
    return Lines(sectionName, index, has, comments);
}

bool IniDocument::DeleteKey(std::string_view sectionName, std::string_view key)
{
    size_t index = kNone, line = kNone;
    if (!FindKey(sectionName, key, index, line))
        return false;
    if (line != kNone)
        m_sections[index].lines.erase(m_sections[index].lines.begin() + line);
    return true;
}

bool IniDocument::DropIfEmpty(std::string_view sectionName)
{
    size_t index = kNone;
    bool has = false, comments = false;
    if (!Lines(sectionName, index, has, comments))
        return false;
    if (index == kNone || has)
        return true;
    // Whether a section of comments alone is empty, Wine and Windows may
    // answer differently: the profile functions decide.
    if (comments)
        return false;
    TakeOut(index);
    return true;
}

bool IniDocument::Move(std::string_view from, std::string_view to)
{
    size_t fromIndex = kNone, toIndex = kNone;
    if (!Find(from, fromIndex) || !Find(to, toIndex))
        return false;
    // Nothing to move; or both names are one section's, which a move by the
    // profile functions would delete after writing it onto itself.
    if (fromIndex == kNone || fromIndex == toIndex)
        return true;
    Split(m_sections[fromIndex]);
    std::vector<std::pair<std::string_view, std::string_view>> keys;
    for (size_t i = 1; i < m_sections[fromIndex].lines.size(); ++i) {
        const LineParts parts = PartsOf(m_sections[fromIndex].lines[i]);
        // A key without a name cannot be written on its own (Windows NT
        // fails on it), and a line without "=" cannot be written at all: the
        // move would lose it.
        if ((parts.kind == LineKind::Key && parts.name.empty()) || parts.kind == LineKind::Bare)
            return false;
        if (parts.kind != LineKind::Key)
            continue;
        // A key twice: written key by key, the last line's value would win
        // where the lines taken along keep the first one's.
        for (const auto& key : keys) {
            if (MatchIniName(key.first, parts.name) != IniNameMatch::Different)
                return false;
        }
        keys.emplace_back(parts.name, parts.value);
    }
    // A section the section read gives nothing of has nothing to move.
    if (keys.empty())
        return true;
    if (toIndex == kNone) {
        Section moved = TakeOut(fromIndex);
        moved.lines.front().text = Keep("[" + std::string(to) + "]");
        moved.lines.front().end = kLineEnd;
        moved.name = moved.lines.front().text.substr(1, to.size());
        if (moved.lines.back().end.empty())
            moved.lines.back().end = kLineEnd;
        Append(std::move(moved));
        return true;
    }
    for (const auto& key : keys) {
        if (!SetKey(to, key.first, key.second))
            return false;
    }
    TakeOut(fromIndex);
    return true;
}

// Takes the section's lines up to its last that is not blank out of the text.
Section IniDocument::TakeOut(size_t index)
{
    Section& section = m_sections[index];
    Split(section);
    const size_t last = LastContentLine(section);
    Section taken;
    taken.name = section.name;
    taken.split = true;
    taken.lines.assign(section.lines.begin(), section.lines.begin() + last + 1);
    section.lines.erase(section.lines.begin(), section.lines.begin() + last + 1);
    section.named = false;
    section.name = std::string_view();
    return taken;
}

// Puts the section at the end of the text, after a line end where the text's
// last line has none.
void IniDocument::Append(Section section)
{
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
        if (it->lines.empty() && it->span.empty())
            continue;
        if (!it->split && it->span.back() != '\n')
            Split(*it);
        if (it->split && it->lines.back().end.empty())
            it->lines.back().end = kLineEnd;
        break;
    }
    PushNamed(std::move(section));
}

bool IniDocument::Apply(const IniSectionChange& change)
{
    if (!IsSectionName(change.section) || (!change.moveTo.empty() && !IsSectionName(change.moveTo)))
        return false;
    if (change.deleteKeys) {
        for (const auto& key : change.keys) {
            if (!IsKeyName(key.first) || !DeleteKey(change.section, key.first))
                return false;
        }
        return change.moveTo.empty() && DropIfEmpty(change.section);
    }
    for (const auto& key : change.keys) {
        if (!IsKeyName(key.first) || !IsOneLine(key.second) || !SetKey(change.section, key.first, key.second))
            return false;
    }
    return change.moveTo.empty() || Move(change.section, change.moveTo);
}

CIniTextEdit::CIniTextEdit(const std::string& text) : m_document(new IniDocument())
{
    m_usable = m_document->Load(text);
}

CIniTextEdit::~CIniTextEdit() = default;

bool CIniTextEdit::Apply(const std::vector<IniSectionChange>& changes)
{
    for (size_t i = 0; m_usable && i < changes.size(); ++i)
        m_usable = m_document->Apply(changes[i]);
    // A value may have made a line longer than the profile functions read.
    m_usable = m_usable && m_document->LinesFit();
    return m_usable;
}

void CIniTextEdit::Pieces(EditedIniText& edited) const
{
    m_document->Pieces(edited);
}

bool EditIniText(const std::string& text, const std::vector<IniSectionChange>& changes, EditedIniText& edited)
{
    CIniTextEdit edit(text);
    if (!edit.Apply(changes))
        return false;
    edit.Pieces(edited);
    return true;
}

std::string EditedIniText::Joined() const
{
    size_t size = 0;
    for (const std::string_view piece : pieces)
        size += piece.size();
    std::string text;
    text.reserve(size);
    for (const std::string_view piece : pieces)
        text.append(piece);
    return text;
}

bool EditedIniText::Holds(std::string_view text) const
{
    size_t at = 0;
    for (const std::string_view piece : pieces) {
        if (text.substr(at, piece.size()) != piece)
            return false;
        at += piece.size();
    }
    return at == text.size();
}

CIniTextReader::CIniTextReader(const std::string& text) : m_document(new IniDocument())
{
    m_usable = m_document->Load(text);
}

CIniTextReader::~CIniTextReader() = default;

bool CIniTextReader::Value(const std::string& section, const std::string& key, std::string& value)
{
    return m_usable && IsSectionName(section) && IsKeyName(key) && m_document->Value(section, key, value);
}

bool CIniTextReader::EveryValue(const std::string& key, std::vector<std::string>& values)
{
    return m_usable && IsKeyName(key) && m_document->EveryValue(key, values);
}

bool CIniTextReader::HasLines(const std::string& section, bool& has)
{
    return m_usable && IsSectionName(section) && m_document->HasLines(section, has);
}
