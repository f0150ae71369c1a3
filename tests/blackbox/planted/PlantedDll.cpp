// A DLL planted in the tool's folder under the name of a DLL the tool uses
// (winspool.drv, shfolder.dll, ...), as someone who can write there would
// plant one. When any process loads it, it appends that process's path to
// "<its own path>.ran" beside it: the black-box test of the DLL search looks
// for that file. It exports nothing, so a program that imported it could not
// start either.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char marker[MAX_PATH + 8] = {};
    const DWORD length = GetModuleFileNameA(module, marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return TRUE;
    lstrcatA(marker, ".ran");
    char process[MAX_PATH + 2] = {};
    DWORD processLength = GetModuleFileNameA(nullptr, process, MAX_PATH);
    if (processLength >= MAX_PATH)
        processLength = 0;
    lstrcpyA(process + processLength, "\r\n");
    HANDLE file = CreateFileA(marker, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, process, processLength + 2, &written, nullptr);
        CloseHandle(file);
    }
    return TRUE;
}
