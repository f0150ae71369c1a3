#include "classlib/ModuleVersion.h"

#include <cstdio>
#include <cstring>

std::string ModuleVersionText(HMODULE module)
{
    if (module == nullptr)
        module = ::GetModuleHandleA(nullptr);
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16) /*RT_VERSION*/);
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const BYTE* data = loaded ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (data == nullptr)
        return std::string();
    // The fixed part follows the block's header and its key, at a place that
    // depends on the key's padding: it is found by its signature.
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, data + at, sizeof info);
        if (info.dwSignature != 0xFEEF04BD)
            continue;
        char text[48];
        std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", static_cast<unsigned long>(HIWORD(info.dwFileVersionMS)),
                      static_cast<unsigned long>(LOWORD(info.dwFileVersionMS)),
                      static_cast<unsigned long>(HIWORD(info.dwFileVersionLS)),
                      static_cast<unsigned long>(LOWORD(info.dwFileVersionLS)));
        return text;
    }
    return std::string();
}
