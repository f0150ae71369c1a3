#include "support/RedirectedOutput.h"

#include "support/TempDir.h"

RedirectedOutput::RedirectedOutput(const std::string& path) : m_path(path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    m_file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

RedirectedOutput::~RedirectedOutput()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

std::string RedirectedOutput::Text()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    return ReadFileBytes(m_path);
}
