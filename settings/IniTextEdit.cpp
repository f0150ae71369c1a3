#include "settings/IniTextEdit.h"

#include "settings/IniNames.h"

namespace {

// Windows 95/98 read and write at most 32 KB less two bytes of a profile
// string at a time; a longer line is not read there as it stands.
const size_t kMaxLineBytes = 32766;
// The line end the profile writers give the lines they add.
const char kLineEnd[] = "\r\n";
const size_t kNone = std::string::npos;

struct Line {
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n", or empty for a last line without one
};

enum class LineKind { Blank, Comment, SectionName, Key, Bare };

struct LineParts {
    LineKind kind = LineKind::Blank;
    std::string name;  // a section's or a key's name; a bare line's text
    std::string value; // a key's value as the profile functions read it
};

// The lines of one section, its name line first. The lines before the first
// section and those left behind by a section taken away are unnamed.
struct Section {
    bool named = false;
    std::string name;
    std::vector<Line> lines;
};

std::string Trimmed(const std::string& text)
{
    // Neither blank can be a trail byte, so a byte search finds characters.
    const size_t first = text.find_first_not_of(" \t");
    if (first == kNone)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The offset of the first character c (ASCII) in text, as a character and
// not as the trail byte of another.
size_t FindChar(const std::string& text, char c, size_t from = 0)
{
    for (size_t i = from; i < text.size(); i += IniCharLength(text, i)) {
        if (text[i] == c)
            return i;
    }
    return kNone;
}

bool IsOneLine(const std::string& text)
{
    return IsReadableIniText(text) && text.find_first_of("\r\n") == kNone;
}

bool IsSectionName(const std::string& name)
{
    return !name.empty() && IsOneLine(name) && Trimmed(name) == name && FindChar(name, ']') == kNone;
}

bool IsKeyName(const std::string& key)
{
    // A key starting with ";" would be a comment, one starting with "[" a
    // section's name line.
    return !key.empty() && IsOneLine(key) && Trimmed(key) == key && FindChar(key, '=') == kNone && key[0] != ';' &&
           key[0] != '[';
}

// False for a line the two readers may take apart differently.
bool ParseLine(const std::string& text, LineParts& parts)
{
    const std::string line = Trimmed(text);
    parts = LineParts();
    if (line.empty())
        return true;
    if (line[0] == ';') {
        parts.kind = LineKind::Comment;
        return true;
    }
    if (line[0] == '[') {
        // Wine ends the name at the last "]" of the line: only "[name]"
        // reads the same everywhere.
        parts.kind = LineKind::SectionName;
        parts.name = line.substr(1, line.size() - 2);
        return FindChar(line, ']', 1) == line.size() - 1 && IsSectionName(parts.name);
    }
    const size_t equals = FindChar(line, '=');
    parts.kind = equals == kNone ? LineKind::Bare : LineKind::Key;
    parts.name = Trimmed(line.substr(0, equals));
    if (equals != kNone)
        parts.value = Trimmed(line.substr(equals + 1));
    return true;
}

LineParts PartsOf(const Line& line)
{
    LineParts parts;
    ParseLine(line.text, parts); // every line was checked on the way in
    return parts;
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

class IniDocument {
public:
    bool Load(const std::string& text);
    bool Apply(const IniSectionChange& change);
    std::string Text() const;
    // Every line within what the profile functions read.
    bool LinesFit() const;

private:
    bool Find(const std::string& name, size_t& index) const;
    bool SetKey(const std::string& sectionName, const std::string& key, const std::string& value);
    bool Move(const std::string& from, const std::string& to);
    Section TakeOut(size_t index);
    void Append(Section section);

    std::vector<Section> m_sections;
};

bool IniDocument::Load(const std::string& text)
{
    // Byte order marks: Wine reads such a file as UTF-8 or UTF-16, not in the
    // system code page.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0 || text.compare(0, 2, "\xFF\xFE") == 0 ||
        text.compare(0, 2, "\xFE\xFF") == 0 || !IsReadableIniText(text))
        return false;
    m_sections.assign(1, Section());
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        Line line;
        if (end == kNone) {
            end = text.size();
        } else {
            line.end = "\n";
            if (end > start && text[end - 1] == '\r') {
                line.end = kLineEnd;
                --end;
            }
        }
        line.text = text.substr(start, end - start);
        start = end + line.end.size();
        // A CR alone ends a line for Wine only where no LF follows it.
        if (line.text.size() > kMaxLineBytes || line.text.find('\r') != kNone)
            return false;
        // Only a section's name line needs its parts now (every other line
        // reads alike everywhere); a key's are taken where it is changed.
        const size_t first = line.text.find_first_not_of(" \t");
        LineParts parts;
        if (first != kNone && line.text[first] == '[' && !ParseLine(line.text, parts))
            return false;
        if (parts.kind == LineKind::SectionName) {
            m_sections.emplace_back();
            m_sections.back().named = true;
            m_sections.back().name = parts.name;
        }
        m_sections.back().lines.push_back(std::move(line));
    }
    return true;
}

bool IniDocument::LinesFit() const
{
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines) {
            if (line.text.size() > kMaxLineBytes)
                return false;
        }
    }
    return true;
}

std::string IniDocument::Text() const
{
    std::string text;
    size_t size = 0;
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            size += line.text.size() + line.end.size();
    }
    text.reserve(size);
    for (const Section& section : m_sections) {
        for (const Line& line : section.lines)
            text.append(line.text).append(line.end);
    }
    return text;
}

// index: the first section of that name (the only one the profile functions
// read), kNone when none; false when a section before it may be of that name.
bool IniDocument::Find(const std::string& name, size_t& index) const
{
    index = kNone;
    for (size_t i = 0; i < m_sections.size(); ++i) {
        if (!m_sections[i].named)
            continue;
        const IniNameMatch match = MatchIniName(m_sections[i].name, name);
        if (match == IniNameMatch::Doubtful)
            return false;
        if (match == IniNameMatch::Same) {
            index = i;
            return true;
        }
    }
    return true;
}

bool IniDocument::SetKey(const std::string& sectionName, const std::string& key, const std::string& value)
{
    size_t index = kNone;
    if (!Find(sectionName, index))
        return false;
    if (index == kNone) {
        Section section;
        section.named = true;
        section.name = sectionName;
        section.lines = {{"[" + sectionName + "]", kLineEnd}, {key + "=" + value, kLineEnd}};
        Append(std::move(section));
        return true;
    }
    Section& section = m_sections[index];
    for (size_t i = 1; i < section.lines.size(); ++i) {
        const LineParts parts = PartsOf(section.lines[i]);
        if (parts.kind != LineKind::Key && parts.kind != LineKind::Bare)
            continue;
        const IniNameMatch match = MatchIniName(parts.name, key);
        if (match == IniNameMatch::Different)
            continue;
        // Wine sets the value on a line of the key's name without "=";
        // Windows does not read such a line as the key.
        if (match == IniNameMatch::Doubtful || parts.kind == LineKind::Bare)
            return false;
        // The key keeps its spelling, without the blanks around it.
        if (parts.value != value)
            section.lines[i].text = parts.name + "=" + value;
        return true;
    }
    const size_t last = LastContentLine(section);
    if (section.lines[last].end.empty())
        section.lines[last].end = kLineEnd;
    section.lines.insert(section.lines.begin() + last + 1, Line{key + "=" + value, kLineEnd});
    return true;
}

bool IniDocument::Move(const std::string& from, const std::string& to)
{
    size_t fromIndex = kNone, toIndex = kNone;
    if (!Find(from, fromIndex) || !Find(to, toIndex))
        return false;
    // Nothing to move; or both names are one section's, which a move by the
    // profile functions would delete after writing it onto itself.
    if (fromIndex == kNone || fromIndex == toIndex)
        return true;
    std::vector<std::pair<std::string, std::string>> keys;
    for (size_t i = 1; i < m_sections[fromIndex].lines.size(); ++i) {
        const LineParts parts = PartsOf(m_sections[fromIndex].lines[i]);
        // A key without a name cannot be written on its own (Windows NT
        // fails on it), and a bare line goes with a section write on Windows
        // but not under Wine.
        if ((parts.kind == LineKind::Key && parts.name.empty()) || (parts.kind == LineKind::Bare && toIndex == kNone))
            return false;
        if (parts.kind == LineKind::Key)
            keys.emplace_back(parts.name, parts.value);
    }
    if (toIndex == kNone) {
        Section moved = TakeOut(fromIndex);
        moved.name = to;
        moved.lines.front().text = "[" + to + "]";
        moved.lines.front().end = kLineEnd;
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
    const size_t last = LastContentLine(section);
    Section taken;
    taken.named = true;
    taken.name = section.name;
    taken.lines.assign(section.lines.begin(), section.lines.begin() + last + 1);
    section.lines.erase(section.lines.begin(), section.lines.begin() + last + 1);
    section.named = false;
    section.name.clear();
    return taken;
}

// Puts the section at the end of the text, after a line end where the text's
// last line has none.
void IniDocument::Append(Section section)
{
    for (auto it = m_sections.rbegin(); it != m_sections.rend(); ++it) {
        if (!it->lines.empty()) {
            if (it->lines.back().end.empty())
                it->lines.back().end = kLineEnd;
            break;
        }
    }
    m_sections.push_back(std::move(section));
}

bool IniDocument::Apply(const IniSectionChange& change)
{
    if (!IsSectionName(change.section) || (!change.moveTo.empty() && !IsSectionName(change.moveTo)))
        return false;
    for (const auto& key : change.keys) {
        if (!IsKeyName(key.first) || !IsOneLine(key.second) || !SetKey(change.section, key.first, key.second))
            return false;
    }
    return change.moveTo.empty() || Move(change.section, change.moveTo);
}

} // namespace

bool EditIniText(const std::string& text, const std::vector<IniSectionChange>& changes, std::string& edited)
{
    IniDocument document;
    if (!document.Load(text))
        return false;
    for (const IniSectionChange& change : changes) {
        if (!document.Apply(change))
            return false;
    }
    // A value may have made a line longer than the profile functions read.
    if (!document.LinesFit())
        return false;
    edited = document.Text();
    return true;
}
