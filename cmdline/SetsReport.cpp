#include "cmdline/SetsReport.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "cmdline/LostCharacter.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileSourceCheck.h"
#include "report/ApplyStopText.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

struct SetSources {
    std::string name;
    std::string paths[4];                                    // empty where the key is missing or cannot be expanded
    std::string texts[4];                                    // each file as the line describes it
    const char* words[4] = {kCsvOk, kCsvOk, kCsvOk, kCsvOk}; // and its /csv result
};

// One file of a set as the line gives it, and its /csv result word
// (kCsvOk when it passes every check).
const char* DescribeFile(const SetSources& set, int slot, std::string& text)
{
    const std::string named = ProfileKeyLine(kProfileSlots[slot], set.paths[slot]);
    DWORD error = 0;
    SourceTrust trust;
    switch (CheckSetFile(set.paths, slot, error, trust)) {
    case SetFileMissing:
        text = WithReason(FormatResString(IDS_SETS_FILE_MISSING, {named}), error) + ")";
        return kCsvMissing;
    case SetFileNotProfile:
        text = FormatResString(IDS_SETS_FILE_NOT_PROFILE, {named});
        return kCsvInvalid;
    case SetFileUntrusted:
        text = FormatResString(IDS_SETS_FILE_UNTRUSTED, {named, SourceTrustText(trust)});
        return kCsvUntrusted;
    case SetFileNameShared:
        text = FormatResString(IDS_SETS_FILE_SAME_NAME, {named});
        return kCsvSameName;
    case SetFilesOk:
        break;
    }
    text = FormatResString(IDS_SETS_FILE_OK, {named});
    return kCsvOk;
}

struct Source {
    std::string set, path;
};

// A file name that two sets install from different sources: its line, and
// every set and source that installs it.
struct Clash {
    std::string line;
    std::vector<Source> sources;
};

// The file names two sets install from different sources, each once.
std::vector<Clash> FindClashes(const std::vector<SetSources>& sets)
{
    struct NameUse {
        std::string fileName;
        std::vector<Source> sources;
        bool clash = false;
    };
    std::vector<NameUse> uses;
    for (const SetSources& set : sets) {
        for (const std::string& path : set.paths) {
            if (path.empty())
                continue;
            const std::string name = FileNamePart(path);
            NameUse* use = nullptr;
            for (NameUse& known : uses) {
                if (MbCompareNoCase(known.fileName, name) == 0)
                    use = &known;
            }
            if (!use) {
                uses.push_back({name, {}, false});
                use = &uses.back();
            }
            bool listed = false;
            for (const Source& source : use->sources) {
                listed = listed || (source.set == set.name && MbCompare(source.path, path) == 0);
                // Within one set a clash is the set's own fault, told on its line.
                if (source.set != set.name && SourcesClash(source.path, path))
                    use->clash = true;
            }
            if (!listed)
                use->sources.push_back({set.name, path});
        }
    }
    std::vector<Clash> clashes;
    for (const NameUse& use : uses) {
        if (!use.clash)
            continue;
        std::string sources;
        for (const Source& source : use.sources)
            sources += (sources.empty() ? "" : ", ") + source.set + "=" + source.path;
        clashes.push_back({FormatResString(IDS_SETS_CLASH, {use.fileName, sources}), use.sources});
    }
    return clashes;
}

// With /csv, one row per set and file: its own check's word, else kCsvClash
// when another set installs its file name from another file.
void WriteFileRows(const SetSources& set, const std::vector<Clash>& clashes, CRunOutput& output)
{
    if (!output.WritesCsv())
        return;
    for (int slot = 0; slot < 4; ++slot) {
        CsvRecord record;
        record.set = set.name;
        record.key = ProfileKeyName(kProfileSlots[slot]);
        record.file = set.paths[slot];
        record.result = set.words[slot];
        std::vector<std::string> lines{set.texts[slot]};
        for (const Clash& clash : clashes) {
            for (const Source& source : clash.sources) {
                if (source.set == set.name && MbCompare(source.path, set.paths[slot]) == 0) {
                    lines.push_back(clash.line);
                    record.result = record.result == kCsvOk ? kCsvClash : record.result;
                }
            }
        }
        record.code = record.result == kCsvOk ? ExitDone : ExitCheckFailed;
        record.detail = JoinedLines(lines);
        output.Row(record);
    }
}

} // namespace

UnattendedExitCode RunSetsReport(const CKPXSetupINI& toolIni, CRunOutput& output)
{
    std::vector<SetSources> sets;
    for (const std::string& name : toolIni.GetSetNames()) {
        SetSources set;
        set.name = name;
        ReadSetPaths(toolIni, name, set.paths);
        sets.push_back(set);
    }
    if (sets.empty()) {
        output.Line(LoadResString(IDS_SETS_NONE));
        return ExitNoSettings;
    }

    bool clean = true;
    for (SetSources& set : sets) {
        std::string files;
        for (int slot = 0; slot < 4; ++slot) {
            set.words[slot] = DescribeFile(set, slot, set.texts[slot]);
            clean = clean && set.words[slot] == kCsvOk;
            files += (slot == 0 ? "" : ", ") + set.texts[slot];
        }
        output.Line(FormatResString(IDS_SETS_LINE, {set.name, files}));
        if (RefuseLostCharacter(toolIni, set.name, output))
            clean = false;
    }
    const std::vector<Clash> clashes = FindClashes(sets);
    for (const Clash& clash : clashes) {
        output.Line(clash.line);
        clean = false;
    }
    for (const SetSources& set : sets)
        WriteFileRows(set, clashes, output);
    return clean ? ExitDone : ExitCheckFailed;
}
