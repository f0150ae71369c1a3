// Makes GetModuleFileNameA report a chosen path while the object lives, as if
// the program had been started from there; paths the program derives from
// its own (the settings file, the help files) then follow it.
//   ScopedModulePath module("C:\\Tools\\Tool.exe");
#pragma once

#include "support/ApiOverride.h"
#include "support/Uncopyable.h"

#include <string>

class ScopedModulePath : Uncopyable {
public:
    explicit ScopedModulePath(std::string path)
        : m_path(std::move(path)), m_override([this](HMODULE, LPSTR buffer, DWORD size) {
              lstrcpynA(buffer, m_path.c_str(), static_cast<int>(size));
              return static_cast<DWORD>(lstrlenA(buffer));
          })
    {
    }

    // Reports another path from now on.
    void set(std::string path) { m_path = std::move(path); }

private:
    std::string m_path;
    ScopedApiOverride<&Win32Api::GetModuleFileNameA> m_override;
};
