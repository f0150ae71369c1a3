// The removal's steps of CProfileSetApply: the printers' records leave the
// driver settings file in one replacement of it, then the profile files that
// no record names any more leave the system directory and the printers'
// driver directories, each only where the tool's account says the tool put
// it there and it is still what the tool put; a file the tool replaced comes
// back in its place.
#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/InstalledFiles.h"
#include "operation/ProfileFileName.h"
#include "operation/ProfileSet.h"
#include "operation/ProfileSetApply.h"
#include "operation/ProfileTargets.h"
#include "platform/FileCompare.h"
#include "platform/PlatformFlags.h"
#include "settings/DriverINI.h"
#include "settings/DriverIniChange.h"
#include "settings/IniTextEdit.h"

bool CProfileSetApply::RemoveRecords(std::vector<std::string>& named, std::vector<std::string>& stillNamed)
{
    const std::vector<std::string> keys = RecordKeys();
    const auto plan = [&](IIniValues& file, std::vector<IniSectionChange>& changes) {
        changes.clear();
        named.clear();
        for (Target& target : m_targets) {
            // A key of the record with an empty value is deleted too, and
            // counts as no record.
            target.hadRecord = false;
            IniSectionChange change{target.request.printer, std::string(), {}};
            change.deleteKeys = true;
            for (size_t k = 0; k < keys.size(); ++k) {
                std::string value;
                if (!file.Value(target.request.printer, keys[k], value))
                    return false;
                if (k == 0)
                    target.request.setName = value;
                else if (!value.empty() && !HoldsNoCase(named, value))
                    named.push_back(value);
                target.hadRecord = target.hadRecord || !value.empty();
                change.keys.emplace_back(keys[k], std::string());
            }
            changes.push_back(change);
        }
        return true;
    };
    // What the file holds once the records are gone: a file another
    // printer's record names stays where it is. A file that cannot be read
    // whole names nothing for sure, and deletes nothing.
    const auto left = [&](IIniValues& file) {
        stillNamed.clear();
        for (size_t k = 1; k < keys.size(); ++k) {
            if (!file.EveryValue(keys[k], stillNamed))
                return false;
        }
        return true;
    };
    CDriverIniWrite write;
    if (!write.Prepare(plan, m_outcome.recordError, left))
        return false;
    switch (write.Commit(m_outcome.recordError)) {
    case TextChangeDone:
        m_outcome.recordChanged = true;
        break;
    case TextChangeNotNeeded:
        break;
    default:
        return false;
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
            m_callback.FileDeleted(target, result, error);
            continue;
        }
        account.Drop(target);
        if (verdict == RemoveRestore)
            m_callback.FileRestored(target, result == CopyAtRestart);
        else if (result != CopyInPlace)
            m_callback.FileDeleted(target, result, error);
    }
    // A failure here leaves entries of files that are gone, which the next
    // removal finds gone and drops.
    DWORD ignored = 0;
    account.Save(ignored);
}
