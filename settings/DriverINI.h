// The printer driver's settings file PLOTA2.INI: one section per printer,
// named by the printer's name, holding the profile set in use and the file
// names of its four profile files. Made for one task and destroyed after it.
#pragma once

#include "classlib/Handle.h"
#include "settings/ProfileKind.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// A key and the value written under it.
using SectionEntry = std::pair<std::string, std::string>;

// A printer's record: ColorProfileSetName and the four file names (the
// file-name parts of profilePaths, in the order of kProfileSlots), as the
// driver's own writes leave them.
std::vector<SectionEntry> RecordEntries(const std::string& setName, const std::string profilePaths[4]);
// The record's keys in that order: ColorProfileSetName, then the four kinds'.
std::vector<std::string> RecordKeys();

class CDriverINI {
public:
    // Locates the file for this platform and measures it.
    CDriverINI();
    // Works on the file at path instead (a copy beside the real file), with
    // the redirection rule the real file's location gives.
    CDriverINI(const std::string& path, bool noFsRedirection);
    CDriverINI(const CDriverINI&) = delete;
    CDriverINI& operator=(const CDriverINI&) = delete;

    // ColorProfileSetName of the printer's section; false (name untouched)
    // when the file, section or key is missing, the value is empty or the
    // printer's name cannot have a section of its own.
    BOOL ReadProfileSetName(const std::string& printer, std::string& setName);
    // The kind's file name in the printer's section; false (name untouched)
    // as for ReadProfileSetName.
    BOOL ReadProfileFile(const std::string& printer, ProfileKind kind, std::string& fileName);
    // Holds the printer's whole section; false when it is missing, empty or
    // larger than the file measured at construction.
    BOOL LoadSection(const std::string& printer);
    // Writes the held section under printer, replacing any section of that
    // name; false when the write fails, and, writing nothing, when no section
    // is held.
    BOOL SaveSection(const std::string& printer);
    BOOL DeleteSection(const std::string& printer);
    // True when the file has a section of that name with an entry in it.
    bool HasSection(const std::string& printer);
    // The values of key in every section that has one (not empty), added to
    // values. False when the file exists but cannot be opened: then nothing
    // may be taken for unnamed.
    bool EveryValue(const std::string& key, std::vector<std::string>& values);
    // Writes what the profile functions hold for this file to the disk.
    BOOL FlushProfileCache();

    // The single calls of the profile functions a change of the file is
    // made of. A key's value (null deletes the key):
    BOOL WriteKey(const std::string& section, const std::string& key, const char* value);
    // The key's value as GetPrivateProfileString reads it (at most 259
    // characters); empty where missing.
    std::string ReadKey(const std::string& section, const std::string& key);
    // The section's lines as the section read gives them (key=value, or a
    // line without "="); none where missing.
    std::vector<std::string> ReadSectionLines(const std::string& section);
    // The names of the file's sections, as the profile functions list them.
    std::vector<std::string> SectionNames();

    const std::string& GetIniPath() const { return m_strIniPath; }
    bool NoFsRedirection() const { return m_bNoFsRedirection; }

private:
    // The file calls, with redirection switched off around each while
    // m_bNoFsRedirection is set.
    DWORD SafeGetProfileSection(LPCSTR section, LPSTR buffer, DWORD size, LPCSTR fileName);
    BOOL SafeWriteProfileSection(LPCSTR section, LPCSTR data, LPCSTR fileName);
    DWORD SafeGetProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);
    BOOL SafeWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

    DWORD LocateIniFile();
    DWORD GetIniFileSize();
    DWORD MeasureFile();
    BOOL AllocSectionBuffer();
    void FreeSectionBuffer();

    std::string m_strIniPath;
    DWORD m_dwFileSize = 0;
    // The section last loaded, in the form key=value\0...\0\0; empty when
    // none is held.
    CGlobalMemory m_pSection;
    bool m_bNoFsRedirection = false;
};
