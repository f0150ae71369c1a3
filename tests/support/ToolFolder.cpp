#include "support/ToolFolder.h"

#include "support/ToolProcess.h"

#include <windows.h>

ToolFolder::ToolFolder(const std::string& subfolder) : m_path(m_dir.path())
{
    std::string exe = BuiltToolPath();
    if (exe.empty() || m_dir.path().empty())
        return;
    if (!subfolder.empty()) {
        m_path = m_dir.file(subfolder);
        if (!CreateDirectoryA(m_path.c_str(), nullptr))
            return;
    }
    m_deployed = CopyFileA(exe.c_str(), this->exe().c_str(), FALSE) &&
                 CopyFileA(BuiltHelpFilePath().c_str(), file("KPXSETUP.chm").c_str(), FALSE);
}

bool ToolFolder::WriteSettings(const std::string& bytes) const
{
    return WriteFileBytes(file("KPXSETUP.INI"), bytes);
}

std::string ToolFolder::WriteProfile(const std::string& relative, const std::string& bytes) const
{
    std::string full = file(relative);
    size_t slash = relative.find_last_of('\\');
    if (slash != std::string::npos)
        CreateDirectoryA(file(relative.substr(0, slash)).c_str(), nullptr);
    return WriteFileBytes(full, bytes) ? full : std::string();
}
