// The removal's steps of CProfileSetApply: the printers' records leave the
// driver settings file in one replacement of it, then the profile files that
// no record names any more leave the system directory and the printers'
// driver directories, each only where the tool's account says the tool put
// it there and it is still what the tool put; a file the tool replaced comes
// back in its place.
#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/InstalledFiles.h"
#include "operation/ProfileFileName.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileTargets.h"
#include "platform/FileCompare.h"
#include "platform/PlatformFlags.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"
#include "settings/IniTextEdit.h"

TextEdit CProfileSetApply::EditRemovals(const std::string& text, EditedIniText& edited, std::vector<std::string>& named,
                                        std::vector<std::string>& stillNamed)
{
    const std::vector<std::string> keys = RecordKeys();
    std::vector<std::string> sections;
    for (const Target& target : m_targets)
        sections.push_back(target.request.printer);
    std::vector<std::vector<std::string>> records;
    if (!ReadIniTextValues(text, sections, keys, records, nullptr))
        return TextNotEditable;
    std::vector<IniSectionChange> changes;
    named.clear();
    for (size_t i = 0; i < m_targets.size(); ++i) {
        const std::vector<std::string>& record = records[i];
        m_targets[i].request.setName = record.front();
        m_targets[i].hadRecord = false;
        for (size_t k = 0; k < record.size(); ++k) {
            m_targets[i].hadRecord = m_targets[i].hadRecord || !record[k].empty();
            if (k > 0 && !record[k].empty() && !HoldsNoCase(named, record[k]))
                named.push_back(record[k]);
        }
        IniSectionChange change{sections[i], std::string(), {}};
        for (const std::string& key : keys)
            change.keys.emplace_back(key, std::string());
        change.deleteKeys = true;
        changes.push_back(change);
    }
    if (!EditIniText(text, changes, edited))
        return TextNotEditable;
    // The file names the records left in the file name.
    const std::vector<std::string> fileKeys(keys.begin() + 1, keys.end());
    if (!ReadIniTextValues(edited.Joined(), {}, fileKeys, records, &stillNamed))
        return TextNotEditable;
    return edited.Holds(text) ? TextUnchanged : TextEdited;
}

bool CProfileSetApply::RemoveRecords(std::vector<std::string>& named, std::vector<std::string>& stillNamed)
{
    // One edit of the file's text, whatever the number of printers; a file
    // the edit cannot read as the profile functions do goes through them.
    switch (ChangeDriverIniText(
        [&](const std::string& text, EditedIniText& edited) { return EditRemovals(text, edited, named, stillNamed); },
        m_outcome.recordError)) {
    case TextChangeDone:
        m_outcome.recordChanged = true;
        break;
    case TextChangeNotNeeded:
        break;
    case TextChangeFailed:
        return false;
    case TextChangeNotEditable: {
        const auto removeAll = [&](CDriverINI& copy) {
            named.clear();
            for (Target& target : m_targets) {
                std::vector<std::string> fileNames;
                if (!copy.RemoveProfileRecord(target.request.printer, target.request.setName, fileNames,
                                              target.hadRecord))
                    return false;
                for (const std::string& name : fileNames) {
                    if (!HoldsNoCase(named, name))
                        named.push_back(name);
                }
            }
            // What the file holds once the records are gone: a file another
            // printer's record names stays where it is. A file that cannot
            // be read whole names nothing for sure, and deletes nothing.
            return copy.RecordedFileNames(stillNamed);
        };
        if (!ChangeDriverIni(removeAll, m_outcome.recordError, &m_outcome.recordChanged))
            return false;
        break;
    }
    }
    for (const std::string& name : named) {
        if (HoldsNoCase(stillNamed, name))
            m_callback.FileStillNamed(name);
    }
    return true;
}

bool CProfileSetApply::IsSetFile(const std::string& target) const
{
    const std::string name = FileNamePart(target);
    // The sets the tool settings file lists, and those the removed records name.
    std::vector<std::string> sets = m_toolIni.GetSetNames();
    for (const Target& removed : m_targets) {
        if (!removed.request.setName.empty() && !HoldsNoCase(sets, removed.request.setName))
            sets.push_back(removed.request.setName);
    }
    for (const std::string& setName : sets) {
        std::string paths[4];
        ReadSetPaths(m_toolIni, setName, paths);
        for (const std::string& path : paths) {
            DWORD error = 0;
            if (!path.empty() && MbCompareNoCase(FileNamePart(path), name) == 0 &&
                CompareFileWithSource(path, target, error) == FilesSame)
                return true;
        }
    }
    return false;
}

void CProfileSetApply::DeleteFiles(CInstallAccount& account, const std::vector<std::string>& named,
                                   const std::vector<std::string>& stillNamed)
{
    // The targets of the files the removed records named, and those the
    // tool put in place for sets no record names any more.
    std::vector<std::string> targets;
    const auto add = [&](const std::string& target) {
        if (!target.empty() && !HoldsNoCase(targets, target))
            targets.push_back(target);
    };
    for (const std::string& name : named) {
        // Only what an apply could have installed: a record that names
        // anything else (a path, PLOTA2.INI, a program, a device) deletes
        // nothing.
        if (HoldsNoCase(stillNamed, name) || FileNamePart(name) != name || CheckProfileFileName(name) != ProfileNameOk)
            continue;
        for (const auto& pair : TargetPairs(name)) {
            for (const std::string& target : pair)
                add(target);
        }
    }
    for (const InstalledFile& file : account.Files()) {
        if (!HoldsNoCase(stillNamed, FileNamePart(file.target)))
            add(file.target);
    }
    if (targets.empty())
        return;
    // Every user has a settings file of their own, and the records of the
    // others may name these files: they stay.
    if (TerminalServicesActive()) {
        m_callback.FilesLeftForOtherUsers();
        return;
    }
    const bool governed = RunningOnWow64() != FALSE;
    for (const std::string& target : targets) {
        DWORD error = 0;
        const RemovalVerdict verdict = DecideRemoval(
            governed, account, target, [this](const std::string& t) { return IsSetFile(t); }, error);
        CopyResult result = CopyFailed;
        switch (verdict) {
        case RemoveNothingThere:
            account.Drop(target);
            continue;
        case RemoveLeaveNotOurs:
        case RemoveLeaveChanged:
        case RemoveLeaveAlias:
        case RemoveLeaveUnreadable:
            m_callback.FileLeft(target, verdict, error);
            continue;
        case RemoveDelete:
            result = DeleteProfileFile(target, error);
            break;
        case RemoveRestore:
            result = RestoreKeptOriginal(target, error);
            break;
        }
        AddCopy(m_outcome.copies, result, target, error);
        if (result == CopyFailed) {
            m_callback.FileDeleteFailed(target, error);
            continue;
        }
        account.Drop(target);
        if (verdict == RemoveRestore)
            m_callback.FileRestored(target, result == CopyAtRestart);
        else if (result == CopyReplaced)
            m_callback.FileDeleted(target);
        else if (result == CopyAtRestart)
            m_callback.FileDeletedAtRestart(target);
    }
    // A failure here leaves entries of files that are gone, which the next
    // removal finds gone and drops.
    DWORD ignored = 0;
    account.Save(ignored);
}
