#include "support/WineMachine.h"

#include <windows.h>

bool SetProgramWindowsVersion(const std::string& exeName, const std::string& version)
{
    std::string keyName = "Software\\Wine\\AppDefaults\\" + exeName;
    if (version.empty()) {
        LONG r = RegDeleteKeyA(HKEY_CURRENT_USER, keyName.c_str());
        return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
    }
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version.c_str()),
                            static_cast<DWORD>(version.size() + 1));
    RegCloseKey(key);
    return r == ERROR_SUCCESS;
}

bool StartTerminalServices()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    SC_HANDLE service = OpenServiceA(manager, "TermService", SERVICE_START | SERVICE_QUERY_STATUS);
    bool running = false;
    if (service) {
        StartServiceA(service, 0, nullptr);
        for (int i = 0; i < 100 && !running; ++i) {
            SERVICE_STATUS status = {};
            running = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
            if (!running)
                Sleep(100);
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return running;
}
