#include "cmdline/UnattendedAnswers.h"

#include "classlib/Handle.h"
#include "operation/ProfileCopy.h"
#include "platform/FileExists.h"

bool CUnattendedAnswers::ConfirmSourceFile(std::string& path)
{
    if (FileExists(path.c_str()))
        return true;
    m_missing = path;
    // The reason the test failed: the same open, repeated for its error (a
    // missing file or folder, a file another process holds, an empty path).
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
    m_missingError = file.IsValid() ? 0 : ::GetLastError();
    return false;
}

INT_PTR CUnattendedAnswers::AskOverwrite(const std::string&, const std::string& target)
{
    if (m_overwrite)
        return OverwriteYes;
    m_kept.push_back(target);
    return OverwriteNo;
}
