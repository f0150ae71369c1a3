// A folder holding a copy of the built tool, set up as an administrator
// deploys it: KPXSETUP.EXE with its help file KPXSETUP.chm beside it, the
// tool settings file KPXSETUP.INI in code page 932, and the profile files the
// settings file names. Removed with everything in it at the end of the test.
#pragma once

#include "support/TempDir.h"

#include <string>

class ToolFolder {
public:
    // Copies KPXSETUP.EXE and KPXSETUP.chm from the build into a fresh
    // folder, or into a subfolder of that name (code page bytes) made in it.
    // Under that name the program is the one Wine's per-program settings
    // (the Windows version) address.
    explicit ToolFolder(const std::string& subfolder = std::string());

    // Both files were copied.
    bool deployed() const { return m_deployed; }
    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "\\" + name; }
    std::string exe() const { return file("KPXSETUP.EXE"); }

    // Writes KPXSETUP.INI as given (code page bytes, as ToolSettingsText
    // builds them); false when it cannot be written.
    bool WriteSettings(const std::string& bytes) const;
    // Writes a profile file at a path below the folder ("office\\auto.kpx"),
    // creating its subfolder, and returns the file's full path (empty when
    // it could not be written).
    std::string WriteProfile(const std::string& relative, const std::string& bytes) const;

private:
    TempDir m_dir{"kpxtool"};
    std::string m_path;
    bool m_deployed = false;
};
