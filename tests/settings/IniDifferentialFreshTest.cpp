// The one writer of the driver settings file against the profile functions
// on generated texts: quotes, blanks, two sections or keys of one name,
// comments, lines without "=", keys before the first section, names of
// double-byte and half-width characters, every mix of line ends. Each list
// of changes (keys set, keys deleted, a section moved) is made by the writer
// and, on a copy of the same text, by the profile functions call by call;
// afterwards every section the profile functions list must read the same.
// Where the writer refuses a change, nothing is written. Four seeds of 500
// texts each, each in a prefix of its own, so that they run beside the
// other tests (the profile functions take some milliseconds a call).
#include "settings/DriverIniChange.h"
#include "support/ProfileChanges.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Plain names, one in two letter cases; half-width katakana; double-byte
// names with the trail bytes "^", "\" and "["; full-width A and a.
const char* const kNames[] = {"Alpha",
                              "alpha",
                              "Beta",
                              "P",
                              "Plotter 3F",
                              "plotter 3f",
                              "\xB1\xD9\xCC\xA7",
                              "\x83\x76\x83\x8A\x83\x93\x83\x5E",
                              "\x83\x5C\x83\x5B",
                              "\x82\x60",
                              "\x82\x81"};
const char* const kKeys[] = {"ColorProfileSetName", "Auto", "auto", "Tone", "Resolution", "Duplex"};
const char* const kValues[] = {"Office", "auto.kpx", "\"auto.kpx\"", "'q'", "\"", "", "\x83\x5C.kpx", "a=b"};
// A text's line ends: CR LF, LF, or any mix (a CR alone among them).
const char* const kEnds[] = {"\r\n", "\n", "\r"};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    template <size_t N>
    const char* Pick(const char* const (&from)[N])
    {
        return from[Below(N)];
    }
    size_t Below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    bool OneIn(size_t n) { return Below(n) == 0; }

    std::string Line()
    {
        switch (Below(12)) {
        case 0:
            return ";" + std::string(Pick(kValues));
        case 1:
            return "";
        case 2:
            return Pick(kKeys); // no "="
        case 3:
            return "=" + std::string(Pick(kValues));
        case 4:
            return "  " + std::string(Pick(kKeys)) + " = " + Pick(kValues) + " ";
        default:
            return std::string(Pick(kKeys)) + "=" + Pick(kValues);
        }
    }

    std::string Text()
    {
        std::string text;
        const size_t ends = Below(8); // 0: mixed; 1: LF; else CR LF
        const auto add = [&](const std::string& line) {
            text += line + (ends == 0 ? Pick(kEnds) : ends == 1 ? "\n" : "\r\n");
        };
        if (OneIn(4))
            add(Line());
        const size_t sections = Below(5);
        for (size_t s = 0; s < sections; ++s) {
            const std::string name = OneIn(12) ? "" : Pick(kNames);
            add(OneIn(8) ? " [" + name + "] " : "[" + name + "]");
            for (size_t n = Below(5); n > 0; --n)
                add(Line());
        }
        if (!text.empty() && OneIn(4))
            text.erase(text.find_last_not_of("\r\n") + 1);
        return text;
    }

    std::vector<IniSectionChange> Changes()
    {
        std::vector<IniSectionChange> changes;
        for (size_t n = 1 + Below(2); n > 0; --n) {
            IniSectionChange change{Pick(kNames), std::string(), {}};
            for (size_t k = Below(3); k > 0; --k)
                change.keys.emplace_back(Pick(kKeys), Pick(kValues));
            const size_t kind = Below(3); // keys deleted, a move, keys set
            change.deleteKeys = kind == 0;
            change.moveTo = kind == 1 ? Pick(kNames) : "";
            changes.push_back(change);
        }
        return changes;
    }

private:
    std::mt19937 m_random;
};

// The changes as a trace line: "set[a] k=v move to [b]", "delete[a] k".
std::string Shown(const std::vector<IniSectionChange>& changes)
{
    std::string shown;
    for (const IniSectionChange& change : changes) {
        shown += (change.deleteKeys ? " delete[" : " set[") + change.section + "]";
        for (const auto& key : change.keys)
            shown += " " + key.first + (change.deleteKeys ? "" : "=" + key.second);
        shown += change.moveTo.empty() ? "" : " move to [" + change.moveTo + "]";
    }
    return shown;
}

class IniDifferential : public ::testing::TestWithParam<unsigned> {};

TEST_P(IniDifferential, TheWriterReadsBackAsTheProfileFunctionsOnGeneratedTexts)
{
    const int kTexts = 500;
    TempDir dir("inidiff");
    Generator generate(GetParam());
    int onePass = 0, refused = 0;
    for (int i = 0; i < kTexts; ++i) {
        const std::string text = generate.Text();
        const std::vector<IniSectionChange> changes = generate.Changes();
        // Files of their own: the profile functions may hold a file read a
        // moment ago.
        const std::string oracle = dir.file(std::to_string(i) + "p.ini"), ours = dir.file(std::to_string(i) + "w.ini");
        ASSERT_TRUE(WriteFileBytes(oracle, text) && WriteFileBytes(ours, text));
        const bool measured = ChangeByProfileFunctions(oracle, changes);

        CDriverIniWrite write(ours, false);
        DWORD error = 0;
        const bool prepared = write.Prepare(
            [&](IIniValues&, std::vector<IniSectionChange>& planned) {
                planned = changes;
                return true;
            },
            error);
        const TextChangeResult result = prepared ? write.Commit(error) : TextChangeFailed;
        SCOPED_TRACE("text " + std::to_string(i) + ": " + ::testing::PrintToString(text) +
                     "; changes:" + Shown(changes));
        // Refused (a move that would lose a line, names the profile
        // functions of Windows and of Wine may match differently): nothing
        // written.
        if (!prepared) {
            ++refused;
            EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_DATA));
            EXPECT_EQ(ReadFileBytes(ours), text);
        } else {
            EXPECT_TRUE(measured) << "a move the profile functions cannot make without loss";
            onePass += write.EditedInOnePass() ? 1 : 0;
            EXPECT_NE(result, TextChangeFailed);
            EXPECT_EQ(ReadBack(oracle), ReadBack(ours));
        }
        DeleteFileA(oracle.c_str());
        DeleteFileA(ours.c_str());
        if (HasFailure())
            break;
    }
    // The edit takes most texts; what it refuses still reads the same.
    std::printf("%d texts: %d in one pass, %d refused\n", kTexts, onePass, refused);
    EXPECT_GT(onePass, kTexts / 4);
}

INSTANTIATE_TEST_SUITE_P(Seeds, IniDifferential, ::testing::Values(20261208u, 1u, 2u, 3u));

} // namespace
