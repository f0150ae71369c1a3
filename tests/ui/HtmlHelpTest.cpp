// Loading HTML Help's entry point: where the control is looked for, the
// entry taken by its ordinal, a missing control or entry that makes every
// call do nothing, and the real control answering a missing help file at
// once.
#include "ui/HtmlHelp.h"

#include "support/FakeHtmlHelpControl.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <string>
#include <vector>

namespace {

class HtmlHelpLoading : public ::testing::Test {
protected:
    FakeHtmlHelpControl control;
};

// Where this system registers the control, as the loader should find it.
std::string RegisteredControl()
{
    char value[MAX_PATH] = {};
    LONG size = sizeof(value);
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", value,
                       &size) != ERROR_SUCCESS)
        return std::string();
    return value;
}

TEST_F(HtmlHelpLoading, LooksForTheRegisteredControlThenInTheSystemDirectory)
{
    control.present = false;
    std::string registered = RegisteredControl();
    ASSERT_FALSE(registered.empty()) << "the prefix registers hhctrl.ocx";

    CHtmlHelp help;
    EXPECT_EQ(nullptr, help.Call(nullptr, "C:\\KPX\\KPXSETUP.chm", HH_DISPLAY_TOPIC, 0));
    EXPECT_EQ((std::vector<std::string>{registered, SystemDirectoryFile("hhctrl.ocx")}), control.loadedNames);
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
