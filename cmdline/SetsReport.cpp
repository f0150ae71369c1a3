#include "cmdline/SetsReport.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "classlib/SystemMessage.h"
#include "classlib/WinApp.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileSourceCheck.h"
#include "res/resource.h"

#include <string>
#include <vector>

namespace {

struct SetSources {
    std::string name;
    std::string paths[4]; // empty where the key is missing or cannot be expanded
};

// One file of a set as the line gives it; false when it fails a check.
bool DescribeFile(const SetSources& set, int slot, std::string& text)
{
    const std::string named = std::string(ProfileKeyName(kProfileSlots[slot])) + "=" + set.paths[slot];
    DWORD error = 0;
    switch (CheckSetFile(set.paths, slot, error)) {
    case SetFileMissing:
        text = WithReason(FormatResString(IDS_SETS_FILE_MISSING, {named}), error) + ")";
        return false;
    case SetFileNotProfile:
        text = FormatResString(IDS_SETS_FILE_NOT_PROFILE, {named});
        return false;
    case SetFileNameShared:
        text = FormatResString(IDS_SETS_FILE_SAME_NAME, {named});
        return false;
    case SetFilesOk:
        break;
    }
    text = FormatResString(IDS_SETS_FILE_OK, {named});
    return true;
}

// The file names two sets install from different sources, each once, with
// every set and source that installs it.
std::vector<std::string> ClashLines(const std::vector<SetSources>& sets)
{
    struct Source {
        std::string set, path;
    };
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
    std::vector<std::string> lines;
    for (const NameUse& use : uses) {
        if (!use.clash)
            continue;
        std::string sources;
        for (const Source& source : use.sources)
            sources += (sources.empty() ? "" : ", ") + source.set + "=" + source.path;
        lines.push_back(FormatResString(IDS_SETS_CLASH, {use.fileName, sources}));
    }
    return lines;
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
    for (const SetSources& set : sets) {
        std::string files;
        for (int slot = 0; slot < 4; ++slot) {
            std::string text;
            if (!DescribeFile(set, slot, text))
                clean = false;
            files += (slot == 0 ? "" : ", ") + text;
        }
        output.Line(FormatResString(IDS_SETS_LINE, {set.name, files}));
    }
    for (const std::string& line : ClashLines(sets)) {
        output.Line(line);
        clean = false;
    }
    return clean ? ExitDone : ExitCheckFailed;
}
