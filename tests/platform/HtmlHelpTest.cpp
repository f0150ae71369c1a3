// Loading HTML Help's entry point: where the control is looked for, the
// entry taken by its ordinal, a missing control or entry that makes every
// call do nothing, and the real control answering a missing help file at
// once.
#include "platform/HtmlHelp.h"

#include "support/FakeHtmlHelpControl.h"
#include "support/TempDir.h"
#include "support/Uncopyable.h"

#include <htmlhelp.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace {

class HtmlHelpLoading : public ::testing::Test {
protected:
    FakeHtmlHelpControl control;
};

// For this process, `root` answered by a key of the test's own holding one
// registration of the control; undone when it goes.
class ScopedRegistration : Uncopyable {
public:
    ScopedRegistration(HKEY root, DWORD type, const std::string& path) : m_root(root)
    {
        m_server = m_test + (root == HKEY_CLASSES_ROOT ? "" : "\\Software\\Classes") +
                   "\\CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
        RegCreateKeyA(HKEY_CURRENT_USER, m_server.c_str(), &m_key);
        RegSetValueExA(m_key, nullptr, 0, type, reinterpret_cast<const BYTE*>(path.c_str()), path.size() + 1);
        RegCloseKey(m_key);
        RegOpenKeyA(HKEY_CURRENT_USER, m_test.c_str(), &m_key);
        RegOverridePredefKey(root, m_key);
    }
    ~ScopedRegistration()
    {
        RegOverridePredefKey(m_root, nullptr);
        RegCloseKey(m_key);
        for (std::string key = m_server; key.size() >= m_test.size(); key.erase(key.rfind('\\')))
            RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    }

private:
    const std::string m_test = "Software\\KPXSetupTest";
    HKEY m_root;
    HKEY m_key = nullptr;
    std::string m_server;
};

// Only what the machine's administrators registered, as a path on a local
// drive, is loaded; else the system directory's control.
TEST_F(HtmlHelpLoading, LoadsOnlyTheMachinesRegistrationOfALocalPathThenTheSystemDirectory)
{
    // HKEY_CLASSES_ROOT as Windows shows it once the user registered a class.
    const std::tuple<HKEY, DWORD, std::string, bool> cases[] = {
        {HKEY_LOCAL_MACHINE, REG_SZ, "C:\\Program Files\\Help\\hhctrl.ocx", true},
        {HKEY_CLASSES_ROOT, REG_SZ, "C:\\Users\\kpx\\hhctrl.ocx", false},
        {HKEY_LOCAL_MACHINE, REG_SZ, "\\\\server\\share\\hhctrl.ocx", false},
        {HKEY_LOCAL_MACHINE, REG_EXPAND_SZ, "%USERPROFILE%\\hhctrl.ocx", false},
    };
    control.present = false;
    for (const auto& [root, type, path, loaded] : cases) {
        control.loadedNames.clear();
        {
            ScopedRegistration registration(root, type, path);
            CHtmlHelp().Call(nullptr, "C:\\KPX\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0);
        }
        const std::vector<std::string>& names = control.loadedNames;
        EXPECT_EQ(std::count(names.begin(), names.end(), path), loaded ? 1 : 0) << path;
        EXPECT_EQ(names.back(), SystemDirectoryFile("hhctrl.ocx"));
    }
}

TEST_F(HtmlHelpLoading, MissingControlMakesEveryCallDoNothingAndIsTriedAgain)
{
    control.present = false;
    CHtmlHelp help;

    EXPECT_EQ(nullptr, help.Call(nullptr, "C:\\KPX\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_FALSE(help.IsLoaded());
    size_t tried = control.loadedNames.size();
    EXPECT_EQ(nullptr, help.Call(nullptr, nullptr, HH_CLOSE_ALL, 0));
    EXPECT_EQ(2 * tried, control.loadedNames.size());

    EXPECT_TRUE(control.procNames.empty());
    EXPECT_TRUE(control.calls.empty());
}

TEST_F(HtmlHelpLoading, ControlWithoutTheEntryIsReleasedAndNothingIsCalled)
{
    control.hasEntry = false;
    {
        CHtmlHelp help;
        EXPECT_EQ(nullptr, help.Call(nullptr, "C:\\KPX\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0));
        EXPECT_FALSE(help.IsLoaded());
        EXPECT_EQ(std::vector<HMODULE>{FakeHtmlHelpControl::Module()}, control.freed);
    }
    EXPECT_EQ(std::vector<HMODULE>{FakeHtmlHelpControl::Module()}, control.freed);
    EXPECT_TRUE(control.calls.empty());
}

TEST_F(HtmlHelpLoading, EntryIsOrdinalFourteenLoadedOnceAndKeptWhileTheOwnerLives)
{
    {
        CHtmlHelp help;
        EXPECT_FALSE(help.IsLoaded());
        HWND caller = reinterpret_cast<HWND>(0x1234);
        EXPECT_EQ(FakeHtmlHelpControl::Result(), help.Call(caller, "C:\\KPX\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0));
        EXPECT_TRUE(help.IsLoaded());
        help.Call(nullptr, nullptr, HH_CLOSE_ALL, 0);

        EXPECT_EQ(1u, control.loadedNames.size());
        EXPECT_EQ(std::vector<ULONG_PTR>{14}, control.procNames);
        ASSERT_EQ(2u, control.calls.size());
        EXPECT_EQ(caller, control.calls[0].hwnd);
        EXPECT_EQ("C:\\KPX\\KPXSETUP.chm", control.calls[0].file);
        EXPECT_EQ(static_cast<UINT>(HH_DISPLAY_TOPIC), control.calls[0].command);
        EXPECT_EQ(nullptr, control.calls[1].hwnd);
        EXPECT_EQ("<null>", control.calls[1].file);
        EXPECT_EQ(static_cast<UINT>(HH_CLOSE_ALL), control.calls[1].command);
        EXPECT_TRUE(control.freed.empty());
    }
    EXPECT_EQ(std::vector<HMODULE>{FakeHtmlHelpControl::Module()}, control.freed);
}

// ---------------------------------------------------------------------------
// The real control of the prefix.

TEST(HtmlHelpControl, MissingHelpFileReturnsNullAtOnce)
{
    CHtmlHelp help;
    DWORD start = GetTickCount();
    EXPECT_EQ(nullptr, help.Call(nullptr, "C:\\no such folder\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_TRUE(help.IsLoaded()) << "hhctrl.ocx exports HtmlHelpA as ordinal 14";
    help.Call(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

} // namespace
