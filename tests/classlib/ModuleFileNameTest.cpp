// The executable's path as the system reports it, also when the path does
// not fit: XP and older then fill the whole buffer without a terminating zero.
#include "classlib/ModuleFileName.h"

#include "app/KPXSetupApp.h"
#include "support/ApiOverride.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// 3 + 250 + 1 characters of folder, then a file name far past the buffer.
const std::string kFolder = "C:\\" + std::string(250, 'd');
const std::string kLongPath = kFolder + "\\" + std::string(40, 'f') + ".EXE";

// Reports path the way the system does: as much as fits, a terminating zero
// only if terminates, and the number of characters copied (the buffer size
// when cut); 0 for an empty path (a failed call).
ScopedApiOverride<&Win32Api::GetModuleFileNameA> ReportModule(const std::string& path, bool terminates)
{
    return ScopedApiOverride<&Win32Api::GetModuleFileNameA>([path, terminates](HMODULE, LPSTR buffer, DWORD size) {
        if (path.empty())
            return DWORD(0);
        const DWORD copied = std::min<DWORD>(static_cast<DWORD>(path.size()), size);
        std::memcpy(buffer, path.data(), copied);
        if (copied < size)
            buffer[copied] = '\0';
        else if (terminates)
            buffer[size - 1] = '\0';
        return copied;
    });
}

TEST(ModuleFileName, ReportedPathCutToTheBufferWithOrWithoutItsZero)
{
    struct Case {
        std::string reported;
        bool terminates;
        std::string path;
    } cases[] = {
        {"C:\\KPX\\KPXSETUP.EXE", true, "C:\\KPX\\KPXSETUP.EXE"},
        {kLongPath, false, kLongPath.substr(0, MAX_PATH - 1)}, // XP and older
        {kLongPath, true, kLongPath.substr(0, MAX_PATH - 1)},  // Vista and later
        {std::string(MAX_PATH, 'p'), false, std::string(MAX_PATH - 1, 'p')},
        {"", true, ""},
    };
    for (const Case& c : cases) {
        auto module = ReportModule(c.reported, c.terminates);
        EXPECT_EQ(c.path, ModuleFileName(nullptr)) << c.reported.size() << "/" << c.terminates;
    }
}

TEST(ModuleFileName, TheApplicationTakesItsNamesFromTheCutPath)
{
    auto module = ReportModule(kLongPath, false);
    CKPXSetupApp app;
    app.InitApplication(GetModuleHandleA(nullptr));
    app.InitModuleDir();
    EXPECT_EQ(app.m_strModuleDir, kFolder);
    EXPECT_EQ(app.m_strProfileName, "fffff.INI");
    EXPECT_EQ(app.m_strHelpFilePath, kFolder + "\\fffff.HLP");
}

} // namespace
