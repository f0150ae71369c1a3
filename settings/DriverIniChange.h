// Every change the tool makes to the driver settings file, as one
// replacement of the whole file: the new text is written to a temporary file
// in the file's own folder, flushed, and then replaces the file in one step
// (platform/FileReplace.h). A process ended at any instant leaves the file
// as it was or with the whole change, never a part of it.
//
// Another program may write the file meanwhile: if its size or last-write
// time changed between the read and the replacement, the change starts over
// from the file as it is then (a few times at most), so that write is not
// lost. The file is never left to a restart: it is replaced now or not at
// all.
#pragma once

#include "platform/FileStamp.h"
#include "settings/DriverINI.h"
#include "settings/IniTextEdit.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What became of a change of the file.
enum TextChangeResult {
    TextChangeDone,      // the file holds the whole change
    TextChangeNotNeeded, // the file held the change already: nothing was written
    TextChangeFailed,    // the file is as it was (error)
};

// The values a change of the driver settings file is planned from, or that
// are read from the file the change made, as the profile functions read
// them. Each answer is false where it cannot be read so.
class IIniValues {
public:
    virtual ~IIniValues() = default;
    // The key's value in the section; empty where missing.
    virtual bool Value(const std::string& section, const std::string& key, std::string& value) = 0;
    // The values of key in every section that has it, added to values.
    virtual bool EveryValue(const std::string& key, std::vector<std::string>& values) = 0;
    // Whether the section read gives back any line of the section.
    virtual bool HasLines(const std::string& section, bool& has) = 0;
};

// Gives the changes to make, planned from the file as it is (called again
// whenever the file is read again); false when it cannot be read as needed.
using PlanIniChanges = std::function<bool(IIniValues& file, std::vector<IniSectionChange>& changes)>;
// Reads what the changes made of the file; false when it cannot be read so.
using ReadIniChanged = std::function<bool(IIniValues& changed)>;

// The one writer of the driver settings file. Prepare reads the file, plans
// the changes from it and makes them on a new copy beside it: in one pass
// over the text where the text edit reads the text and the changes exactly
// as the profile functions do; otherwise through the profile functions
// themselves, key by key, on a copy of the file (a move of a section that
// holds a line without "=" would lose the line there, and is refused).
// Commit then puts the copy in place in one step; where another program
// wrote the file since it was read, the changes are planned and made again
// on the new text, a few times at most. Between the two a caller may do what
// must happen only when the file can be written (a printer's rename). The
// file is never left to a restart. A copy not put in place goes with the
// object.
class CDriverIniWrite {
public:
    // The driver settings file of this platform.
    CDriverIniWrite();
    // The settings file at path, reached as governed says.
    CDriverIniWrite(const std::string& path, bool governed);
    ~CDriverIniWrite();
    CDriverIniWrite(const CDriverIniWrite&) = delete;
    CDriverIniWrite& operator=(const CDriverIniWrite&) = delete;

    // False, with the system's reason (ERROR_INVALID_DATA where the plan
    // cannot be read or the changes not made without loss), when the
    // changes cannot be made; nothing is written then.
    bool Prepare(const PlanIniChanges& plan, DWORD& error, const ReadIniChanged& changed = nullptr);
    // TextChangeDone, TextChangeNotNeeded (the file held the changes
    // already: nothing written) or TextChangeFailed (the file is as it was).
    TextChangeResult Commit(DWORD& error);
    // The last Prepare made the changes on the text in one pass.
    bool EditedInOnePass() const { return m_onePass; }

private:
    bool Attempt(DWORD& error);
    bool PrepareByProfileFunctions(DWORD& error);
    void Discard();

    std::unique_ptr<CDriverINI> m_file;
    PlanIniChanges m_plan;
    ReadIniChanged m_changed;
    bool m_mapped = false;
    bool m_recovered = false;
    bool m_needed = false;
    bool m_onePass = false;
    std::string m_temp;
    FileStamp m_before;
};
