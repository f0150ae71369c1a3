#include "platform/WholeFile.h"

#include "classlib/Handle.h"
#include "platform/FsRedirection.h"

bool ReadWholeFile(bool governed, const std::string& path, std::string& text, DWORD& error)
{
    text.clear();
    CFileHandle file(CallWithoutFsRedirection(governed, [&] {
        return Win32().CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }));
    if (!file.IsValid()) {
        error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND;
    }
    // Read at once into a text of the file's size; what another program
    // adds meanwhile is read after it.
    DWORD high = 0;
    const DWORD size = ::GetFileSize(file.Get(), &high);
    text.resize(size != INVALID_FILE_SIZE && high == 0 ? size : 0);
    size_t filled = 0;
    DWORD read = 0;
    while (filled < text.size()) {
        if (!::ReadFile(file.Get(), &text[filled], static_cast<DWORD>(text.size() - filled), &read, nullptr)) {
            error = ::GetLastError();
            return false;
        }
        if (read == 0)
            break;
        filled += read;
    }
    text.resize(filled);
    char buffer[64 * 1024];
    do {
        if (!::ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
            error = ::GetLastError();
            return false;
        }
        text.append(buffer, read);
    } while (read > 0);
    return true;
}
