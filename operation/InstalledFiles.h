// What the tool's account of installed files (settings/InstallAccount.h)
// means for one target: how an install records what it puts in place, and
// what a removal may do with a file no record names any more.
#pragma once

#include "settings/InstallAccount.h"

#include <windows.h>

#include <functional>
#include <string>

// One replacement of a profile file, accounted: the file that stood under
// the target's name before the tool first wrote there is kept aside, and the
// account says what the tool puts there before it is put there, so that an
// interruption at any instant leaves no file of the tool's unaccounted.
class CAccountedReplacement {
public:
    // Before temp replaces target: loads the account, keeps the file now at
    // target aside where the tool never put one there, and records temp's
    // digest for target. False, with the system's reason, when either cannot
    // be done: then nothing has changed.
    bool Prepare(bool governed, const std::string& target, const std::string& temp, DWORD& error);
    // The replacement waits for the restart: a file that could not be kept
    // aside now (another program holds it) steps aside at the restart, before
    // the new file takes its name. False when that cannot be scheduled.
    bool KeepAtRestart();
    // The replacement did not happen: the account says what it said before.
    void Undo();

private:
    bool m_governed = false;
    std::string m_target;
    CInstallAccount m_account;
    bool m_hadEntry = false;
    InstalledFile m_before;
    bool m_keepAtRestart = false;
    bool m_keepScheduled = false;
};

// A target that already holds the file the tool would put there: where the
// account has an entry for it, the entry's digest follows (the tool's file
// under that name is now this one). Nothing is written otherwise.
void AccountFileInPlace(bool governed, const std::string& target);

// What a removal does with a target no record names any more.
enum RemovalVerdict {
    RemoveDelete,         // the tool put it there and it is unchanged: it goes
    RemoveRestore,        // as RemoveDelete, and the file it replaced comes back
    RemoveNothingThere,   // no file (and nothing kept aside): nothing to do
    RemoveLeaveNotOurs,   // the account does not name it, and it is no set's file
    RemoveLeaveChanged,   // the account names it, but it changed since the tool put it there
    RemoveLeaveAlias,     // a short (8.3) name, or the short name of another file
    RemoveLeaveUnreadable // it cannot be read to be compared (error)
};

// Asked for a target the account does not name (a file installed before the
// account existed): true when it is byte for byte a file that a set of the
// tool settings file installs under that name.
using IsSetFile = std::function<bool(const std::string& target)>;

// The verdict for target. error: the system's reason for RemoveLeaveUnreadable.
RemovalVerdict DecideRemoval(bool governed, const CInstallAccount& account, const std::string& target,
                             const IsSetFile& isSetFile, DWORD& error);
