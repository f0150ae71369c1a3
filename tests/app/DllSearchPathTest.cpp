// The DLL search narrowed at start-up: SetDefaultDllDirectories with only the
// system directory and SetDllDirectoryA(""), each where the system has it.
// Stand-ins answer the lookups, so this test process keeps its own search.
#include "app/DllSearchPath.h"

#include "support/ApiOverride.h"
#include "support/TempDir.h"
#include "support/WinapiFunction.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(DllSearchPath, EachCallWhereTheSystemHasIt)
{
    std::vector<std::string> calls;
    WinapiFunction<BOOL(DWORD)> setDefault([&](DWORD flags) {
        calls.push_back("SetDefaultDllDirectories(" + std::to_string(flags) + ")");
        return TRUE;
    });
    WinapiFunction<BOOL(LPCSTR)> setDirectory([&](LPCSTR path) {
        calls.push_back(std::string("SetDllDirectoryA(\"") + (path ? path : "<null>") + "\")");
        return TRUE;
    });
    const std::string both[] = {"SetDefaultDllDirectories(" + std::to_string(LOAD_LIBRARY_SEARCH_SYSTEM32) + ")",
                                "SetDllDirectoryA(\"\")"};
    const struct {
        bool kernelLoads, hasDefault, hasDirectory;
        std::vector<std::string> calls;
    } cases[] = {
        {true, true, true, {both[0], both[1]}}, // Windows 8 on, 7 with the update
        {true, false, true, {both[1]}},         // XP SP1 to 7
        {true, false, false, {}},               // 98, NT 4.0, 2000, XP
        {false, true, true, {}},
    };
    for (const auto& c : cases) {
        calls.clear();
        std::vector<std::string> loaded;
        ScopedApiOverride<&Win32Api::LoadLibraryExA> load([&](LPCSTR path, HANDLE file, DWORD flags) -> HMODULE {
            loaded.push_back(path);
            return c.kernelLoads ? ::LoadLibraryExA(path, file, flags) : nullptr;
        });
        ScopedApiOverride<&Win32Api::GetProcAddress> lookup([&](HMODULE module, LPCSTR name) -> FARPROC {
            if (std::strcmp(name, "SetDefaultDllDirectories") == 0)
                return c.hasDefault ? setDefault.proc() : nullptr;
            if (std::strcmp(name, "SetDllDirectoryA") == 0)
                return c.hasDirectory ? setDirectory.proc() : nullptr;
            return ::GetProcAddress(module, name);
        });
        RestrictDllSearchPath();
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(std::vector<std::string>{SystemDirectoryFile("kernel32.dll")}, loaded);
    }
}

} // namespace
