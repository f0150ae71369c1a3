// The tool's own account of the profile files it put in place, as installers
// keep count of the files they share: for each target the digest of what the
// tool put there last, and whether the file that stood under that name before
// the tool first wrote there is kept aside beside it (its name followed by
// ".~kpxkept"). A removal deletes a target only when the account says the
// tool put the file there and the file is still what it put, and puts back
// the file kept aside.
//
// The account is a text file of the tool's own, KPXSETUP.LST, in the native
// system directory: machine-wide, like the files it counts, whichever
// settings file (per user under Terminal Services) names them. It is
// replaced whole at every change, as every file the tool writes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct InstalledFile {
    std::string target;        // full path, compared without regard to case
    std::string digest;        // SHA-256 of what the tool put there last
    bool originalKept = false; // the file replaced first is kept aside (KeptOriginalPath)
    // Its size and last-write time, which tell it while another program
    // holds it without sharing and it cannot be read.
    unsigned long long size = 0, written = 0;
};

class CInstallAccount {
public:
    // The account in the system directory (native under WOW64).
    CInstallAccount();
    // The account at path (a test's folder), reached as governed says.
    CInstallAccount(const std::string& path, bool governed);

    // Reads the account: none yet is an empty one. False, with the system's
    // reason, when it exists but cannot be read, or holds a line the tool did
    // not write (ERROR_INVALID_DATA): nothing may then be decided from it.
    bool Load(DWORD& error);
    // The entry of target, or null.
    const InstalledFile* Find(const std::string& target) const;
    // Adds the entry, or replaces the one of its target.
    void Put(const InstalledFile& file);
    void Drop(const std::string& target);
    const std::vector<InstalledFile>& Files() const { return m_files; }
    // Replaces the account file whole with the entries held (deletes it when
    // none is left); false with the system's reason.
    bool Save(DWORD& error);

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    bool m_governed = false;
    std::vector<InstalledFile> m_files;
};

// Where the file a target replaced first is kept.
std::string KeptOriginalPath(const std::string& target);
