// The name edit and the name check behind the Set button of the built
// KPXSETUP.EXE, as an administrator meets them: Set without a chosen set is
// refused; an empty name and a name another printer bears are refused with
// their messages and the old name comes back; a paste goes in whole or not at
// all; a free name is put to the confirmation, and Cancel there changes
// nothing.
#include "res/resource.h"
#include "support/ClipboardText.h"
#include "support/Cp932.h"
#include "support/DialogTexts.h"
#include "support/RemoteMainDialog.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const DWORD kTimeout = 20000;

struct RefusedName {
    const char* typed;
    const char* why;
};

TEST(NameBlackbox, RefusedNamesComeBackAndACancelledConfirmationChangesNothing)
{
    TestPrinter plotter("Plotter 3F", kDriver);
    TestPrinter color("Plotter A1", kColorDriver);
    TestPrinter laser("Office Laser", kOtherDriver);
    ASSERT_TRUE(plotter.added() && color.added() && laser.added());
    ASSERT_TRUE(SetDefaultTestPrinter("Plotter 3F"));

    ToolFolder folder;
    ASSERT_TRUE(folder.deployed());
    ASSERT_FALSE(folder.WriteProfile("office\\office.kpx", "profile").empty());
    ASSERT_TRUE(
        folder.WriteSettings(ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\office\\office.kpx")})));

    ToolProcess tool;
    HWND dlg = StartMainDialog(tool, folder.exe());
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    ASSERT_EQ(main.Name(), "Plotter 3F");

    // No set recorded, so none chosen yet: Set reports the missing choice
    // (in the system's words) and goes no further.
    ASSERT_EQ(main.SelectedSet(), "");
    main.SetName("Plotter 3G");
    ASSERT_TRUE(main.SetButtonEnabled());
    main.PressSet();
    EXPECT_FALSE(AnswerMessageBox(tool, MainCaption(), IDOK).empty());
    PumpMessages(300);
    EXPECT_EQ(tool.VisibleWindows(), std::vector<HWND>{dlg}) << DescribeWindows(tool.VisibleWindows());
    EXPECT_EQ(main.Name(), "Plotter 3G");

    ASSERT_TRUE(main.PickSet("Office"));

    // No name at all.
    main.SetName("");
    main.PressSet();
    EXPECT_EQ(AnswerMessageBox(tool, Cp932(u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ"), IDOK), Cp932(u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名を指定してください。"));
    EXPECT_EQ(main.Name(), "Plotter 3F");
    EXPECT_TRUE(main.SetButtonEnabled());

    // Names that printers bear already, compared without regard to case:
    // the other listed printer, a printer of another driver (not listed),
    // and the selected printer's own name in other letters.
    const RefusedName taken[] = {
        {"Plotter A1", "another listed printer"},
        {"office laser", "a printer of another driver, in other case"},
        {"PLOTTER 3F", "the printer's own name in upper case"},
    };
    for (const RefusedName& name : taken) {
        SCOPED_TRACE(name.why);
        main.SetName(name.typed);
        main.PressSet();
        EXPECT_EQ(AnswerMessageBox(tool, Cp932(u8"ﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名の変更ｴﾗｰ"), IDOK),
                  Cp932(u8"指定されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰ名は既に存在します。別の名前を指定してください。"));
        EXPECT_EQ(main.Name(), "Plotter 3F");
    }

    // Pasting: all or nothing. A double-byte name whose trail bytes are
    // 0x5C (the backslash's value) goes in; a text with a comma is refused
    // whole and the edit keeps its text.
    const std::string software = Cp932(u8"ソフト表示");
    ASSERT_EQ(software.substr(0, 2), "\x83\x5C");
    main.SetName("");
    ASSERT_TRUE(PutClipboardText(nullptr, software));
    SendMessageA(main.item(IDC_PRINTER_NAME), WM_PASTE, 0, 0);
    EXPECT_PRED_FORMAT2(SameBytes, software, main.Name());
    ASSERT_TRUE(PutClipboardText(nullptr, "Plotter,3"));
    SendMessageA(main.item(IDC_PRINTER_NAME), WM_PASTE, 0, 0);
    EXPECT_PRED_FORMAT2(SameBytes, software, main.Name());

    // A free name goes to the confirmation; Cancel keeps the typed name and
    // writes nothing.
    main.SetName("Plotter 3G");
    main.PressSet();
    HWND confirm = tool.WaitForDialog(Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), kTimeout);
    ASSERT_NE(confirm, nullptr) << DescribeWindows(tool.VisibleWindows());
    EXPECT_EQ(MessageBoxText(confirm),
              Cp932(u8"選択されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰのｶﾗｰﾌﾟﾛﾌｧｲﾙを設定通りに変更します。\nよろしいですか？"));
    EXPECT_NE(GetDlgItem(confirm, IDOK), nullptr);
    PressButton(confirm, IDCANCEL);
    EXPECT_TRUE(WaitForWindowToClose(confirm, kTimeout));
    EXPECT_EQ(main.Name(), "Plotter 3G");
    EXPECT_TRUE(main.SetButtonEnabled());
    EXPECT_EQ(main.Printers(), (std::vector<std::string>{"Plotter 3F", "Plotter A1"}));

    main.PressClose();
    EXPECT_TRUE(tool.WaitForExit(kTimeout));
    EXPECT_FALSE(PathExists(DriverIniFile()));
    EXPECT_EQ(GetFileAttributesA(SystemDirectoryFile("office.kpx").c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
