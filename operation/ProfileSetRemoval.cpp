// The removal's steps of CProfileSetApply: the printers' records leave the
// driver settings file in one replacement of it, then the profile files they
// named that no record names any more leave the system directory and the
// printers' driver directories.
#include "operation/ProfileSetApply.h"

#include "classlib/MbString.h"
#include "classlib/PathParts.h"
#include "operation/ProfileFileName.h"
#include "operation/ProfileTargets.h"
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

bool CProfileSetApply::RemoveRecords(std::vector<std::string>& unnamed)
{
    std::vector<std::string> named, stillNamed;
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
            // printer's record names stays where it is.
            stillNamed = copy.RecordedFileNames();
            return true;
        };
        if (!ChangeDriverIni(removeAll, m_outcome.recordError, &m_outcome.recordChanged))
            return false;
        break;
    }
    }
    unnamed.clear();
    for (const std::string& name : named) {
        if (HoldsNoCase(stillNamed, name))
            m_callback.FileStillNamed(name);
        else
            unnamed.push_back(name);
    }
    return true;
}

void CProfileSetApply::DeleteFiles(const std::vector<std::string>& fileNames)
{
    if (fileNames.empty())
        return;
    // Every user has a settings file of their own, and the records of the
    // others may name these files: they stay.
    if (TerminalServicesActive()) {
        m_callback.FilesLeftForOtherUsers();
        return;
    }
    for (const std::string& name : fileNames) {
        // Only what an apply could have installed: a record that names
        // anything else (a path, PLOTA2.INI, a program, a device) deletes
        // nothing.
        if (FileNamePart(name) != name || CheckProfileFileName(name) != ProfileNameOk)
            continue;
        for (const auto& targets : TargetPairs(name)) {
            for (const std::string& target : targets) {
                if (target.empty())
                    continue;
                DWORD error = 0;
                const CopyResult result = DeleteProfileFile(target, error);
                AddCopy(m_outcome.copies, result, target, error);
                if (result == CopyReplaced)
                    m_callback.FileDeleted(target);
                else if (result == CopyAtRestart)
                    m_callback.FileDeletedAtRestart(target);
                else if (result == CopyFailed)
                    m_callback.FileDeleteFailed(target, error);
            }
        }
    }
}
