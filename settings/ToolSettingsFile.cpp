#include "settings/ToolSettingsFile.h"

#include "classlib/WinApp.h"
#include "platform/FileReadable.h"
#include "res/resource.h"

#include <mbstring.h>

#include <utility>
#include <vector>

CToolSettingsFile::CToolSettingsFile(std::string dir, std::string name) : m_dir(std::move(dir)), m_name(std::move(name))
{
}

std::string CToolSettingsFile::Path() const
{
    return m_dir + "\\" + m_name;
}

bool CToolSettingsFile::Exists() const
{
    return FileReadable(Path().c_str());
}

std::string CToolSettingsFile::NotFoundText() const
{
    std::vector<unsigned char> name(m_name.begin(), m_name.end());
    name.push_back('\0');
    _mbsupr(name.data());
    return FormatResString(IDS_FILE_NOT_FOUND, {reinterpret_cast<const char*>(name.data())});
}

CKPXSetupINI CToolSettingsFile::Open() const
{
    return CKPXSetupINI(Path(), m_dir);
}
