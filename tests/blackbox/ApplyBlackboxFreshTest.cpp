// The Set button of the built KPXSETUP.EXE doing its whole job, driven from
// this process as an administrator would: the confirmation, the overwrite
// prompts for files already in place, the copy error dialog for a missing
// source file, the files in the system directory and the printer's driver
// directory, the set recorded in PLOTA2.INI and shown in the list. Each test
// runs in a private 32-bit prefix reporting Windows 7.
#include "classlib/PathParts.h"
#include "res/resource.h"
#include "support/Cp932.h"
#include "support/DialogDriver.h"
#include "support/DialogTexts.h"
#include "support/IniSection.h"
#include "support/RemoteMainDialog.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/ToolProcess.h"
#include "support/WinePrefix.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const DWORD kTimeout = 20000;
using Lines = std::vector<std::string>;

class ApplyBlackbox : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_plotter.added());
        ASSERT_TRUE(SetDefaultTestPrinter("Plotter 3F"));
        Deploy(std::string());
    }

    // (Re)deploys the tool into a fresh folder, or into a subfolder of that
    // name.
    void Deploy(const std::string& subfolder)
    {
        m_folder = std::make_unique<ToolFolder>(subfolder);
        ASSERT_TRUE(m_folder->deployed());
    }

    // Starts the tool and returns its main dialog, Plotter 3F selected.
    HWND Start() { return StartMainDialog(m_tool, m_folder->exe()); }

    // Picks the set, presses Set and confirms.
    void PressSetAndConfirm(const RemoteMainDialog& main, const std::string& set)
    {
        ASSERT_TRUE(main.PickSet(set));
        ASSERT_TRUE(main.SetButtonEnabled());
        main.PressSet();
        EXPECT_EQ(AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK),
                  Cp932(u8"選択されたﾌﾟﾘﾝﾀｰﾄﾞﾗｲﾊﾞｰのｶﾗｰﾌﾟﾛﾌｧｲﾙを設定通りに変更します。\nよろしいですか？"));
    }

    // Waits for the next overwrite prompt, checks which file and folder it
    // names and the two sizes it shows, and answers it.
    void AnswerOverwrite(const std::string& target, const char* existingSize, const char* newSize, int answer)
    {
        SCOPED_TRACE(target);
        HWND prompt = m_tool.WaitForDialog(OverwriteCaption(), kTimeout);
        ASSERT_NE(prompt, nullptr) << DescribeWindows(m_tool.VisibleWindows());
        EXPECT_EQ(DialogItemText(prompt, IDC_OVERWRITE_FILE), AlreadyThereText(FileNamePart(target)));
        EXPECT_EQ(DialogItemText(prompt, IDC_OVERWRITE_DIR), DirectoryPart(target));
        EXPECT_EQ(DialogItemText(prompt, IDC_EXISTING_SIZE), existingSize);
        EXPECT_EQ(DialogItemText(prompt, IDC_NEW_SIZE), newSize);
        EXPECT_EQ(DialogItemText(prompt, IDC_EXISTING_TIME).rfind(Cp932(u8"更新日時: 20"), 0), 0u);
        PressButton(prompt, answer);
        EXPECT_TRUE(WaitForWindowToClose(prompt, kTimeout));
    }

    // The four files of set Office, each holding "new " and its kind.
    void WriteOfficeProfiles()
    {
        for (const char* name : {"auto", "vivid", "tone", "font"}) {
            ASSERT_FALSE(
                m_folder->WriteProfile(std::string("office\\") + name + ".kpx", std::string("new ") + name).empty());
        }
    }

    void Close(const RemoteMainDialog& main)
    {
        main.PressClose();
        EXPECT_TRUE(m_tool.WaitForExit(kTimeout));
    }

    TestPrinter m_plotter{"Plotter 3F", kDriver};
    std::unique_ptr<ToolFolder> m_folder;
    ToolProcess m_tool;
};

const std::string kOfficeSettings =
    ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\office\\auto.kpx", "%KPXSETUP%\\office\\vivid.kpx",
                                           "%KPXSETUP%\\office\\tone.kpx", "%KPXSETUP%\\office\\font.kpx")});

TEST_F(ApplyBlackbox, InstallsEveryFileAsksBeforeReplacingAndRecordsTheSet)
{
    ASSERT_TRUE(m_folder->WriteSettings(kOfficeSettings));
    ASSERT_NO_FATAL_FAILURE(WriteOfficeProfiles());
    // Already in place: auto.kpx in the system directory (2000 bytes, shown
    // as 2 KB), tone.kpx in the driver directory.
    ASSERT_TRUE(WriteFileBytes(SystemDirectoryFile("auto.kpx"), std::string(2000, 'a')));
    ASSERT_TRUE(WriteFileBytes(DriverDirectoryFile("tone.kpx"), "old tone"));
    // The driver's own keys and other printers' sections stay.
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}},
                                                                    {"Other", {{"ColorProfileSetName", "Art"}}}})));

    HWND dlg = Start();
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    ASSERT_EQ(main.Rows(), (std::vector<Lines>{{"Plotter 3F", Cp932(u8"MODELA QX 480"), "FILE:"}}));

    // Files are taken Auto, Font, Tone, Vividness, each for the system
    // directory, then the driver directory: two of the eight targets exist.
    PressSetAndConfirm(main, "Office");
    AnswerOverwrite(SystemDirectoryFile("auto.kpx"), "2 KB", "1 KB", IDYES);
    AnswerOverwrite(DriverDirectoryFile("tone.kpx"), "1 KB", "1 KB", IDNO);
    ExpectApplyDone(m_tool, main);

    for (const char* name : {"auto", "font", "tone", "vivid"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ReadFileBytes(SystemDirectoryFile(name + std::string(".kpx"))), std::string("new ") + name);
        if (std::string(name) != "tone") {
            EXPECT_EQ(ReadFileBytes(DriverDirectoryFile(name + std::string(".kpx"))), std::string("new ") + name);
        }
    }
    EXPECT_EQ(ReadFileBytes(DriverDirectoryFile("tone.kpx")), "old tone");
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"),
              (Lines{"Resolution=600", "ColorProfileSetName=Office", "Auto=auto.kpx", "Font=font.kpx", "Tone=tone.kpx",
                     "Vividness=vivid.kpx"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Other"), (Lines{"ColorProfileSetName=Art"}));
    EXPECT_EQ(main.Rows()[0], (Lines{"Plotter 3F", "Office", "FILE:"}));
    EXPECT_EQ(main.Name(), "Plotter 3F");

    // The same set again (the name edit touched to enable Set): every target
    // exists now; only the declined tone.kpx differs and is asked about, the
    // other seven are told as in place.
    main.SetName("Plotter 3F");
    PressSetAndConfirm(main, "Office");
    AnswerOverwrite(DriverDirectoryFile("tone.kpx"), "1 KB", "1 KB", IDC_OVERWRITE_ALL);
    EXPECT_EQ(
        AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK).rfind(LoadResourceString(IDS_APPLY_IN_PLACE), 0), 0u);
    ExpectApplyDone(m_tool, main);
    EXPECT_EQ(ReadFileBytes(DriverDirectoryFile("tone.kpx")), "new tone");

    Close(main);
}

// A second apply of the set: every target already is the set's file, so no
// question comes; the report tells each as in place.
TEST_F(ApplyBlackbox, TargetsAlreadyTheSetsFilesAreToldInPlaceWithoutAQuestion)
{
    ASSERT_TRUE(m_folder->WriteSettings(kOfficeSettings));
    ASSERT_NO_FATAL_FAILURE(WriteOfficeProfiles());
    HWND dlg = Start();
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    PressSetAndConfirm(main, "Office");
    ExpectApplyDone(m_tool, main);

    main.SetName("Plotter 3F");
    PressSetAndConfirm(main, "Office");
    std::string report = LoadResourceString(IDS_APPLY_IN_PLACE);
    for (const char* name : {"auto", "font", "tone", "vivid"}) {
        for (const std::string& target : ProfileCopies(name + std::string(".kpx")))
            report += "\n\x81\x45" + target;
    }
    EXPECT_EQ(AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK), report);
    ExpectApplyDone(m_tool, main);
    Close(main);
}

// Deployed in a folder with a Japanese name whose double-byte characters end
// in the byte of a backslash (ソ is 83 5C), under a set with a Japanese name:
// the paths are cut and joined at real backslashes only.
TEST_F(ApplyBlackbox, MissingSourceFileIsCorrectedThroughTheCopyErrorDialog)
{
    const std::string folderName = Cp932(u8"ソフト");
    ASSERT_EQ(folderName.substr(0, 2), "\x83\x5C");
    ASSERT_NO_FATAL_FAILURE(Deploy(folderName));
    const std::string set = Cp932(u8"写真 ｾｯﾄ");
    ASSERT_TRUE(m_folder->WriteSettings(
        ToolSettingsText({set}, {SetFiles(set, "%KPXSETUP%\\poster\\p-auto.kpx", "%KPXSETUP%\\poster\\p-auto.kpx",
                                          "%KPXSETUP%\\poster\\p-auto.kpx", "%KPXSETUP%\\poster\\p-font.kpx")})));
    ASSERT_FALSE(m_folder->WriteProfile("poster\\p-auto.kpx", "poster auto").empty());
    const std::string found = m_folder->WriteProfile("fonts\\p-font2.kpx", "poster font");
    ASSERT_FALSE(found.empty());
    const std::string missing = m_folder->file("poster\\p-font.kpx");
    const std::string alsoMissing = m_folder->file("poster\\nothing.kpx");
    const std::string copyError = CopyErrorCaption();
    const std::string failed = Cp932(u8"設定を変更できませんでした。");

    HWND dlg = Start();
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);

    // Cancel in the copy error dialog: message 115, nothing installed or
    // recorded, Set still enabled.
    PressSetAndConfirm(main, set);
    HWND error = m_tool.WaitForDialog(copyError, kTimeout);
    ASSERT_NE(error, nullptr) << DescribeWindows(m_tool.VisibleWindows());
    EXPECT_EQ(DialogItemText(error, IDC_COPY_MESSAGE), Cp932(u8"p-font.kpx をｺﾋﾟｰできません。"));
    EXPECT_EQ(DialogItemText(error, IDC_COPY_SOURCE), missing);
    PressButton(error, IDCANCEL);
    EXPECT_EQ(AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK), failed);
    EXPECT_FALSE(PathExists(SystemDirectoryFile("p-auto.kpx")));
    EXPECT_FALSE(PathExists(DriverIniFile()));
    EXPECT_EQ(main.Rows()[0][1], Cp932(u8"MODELA QX 480"));
    EXPECT_TRUE(main.SetButtonEnabled());

    // Again: a typed path that names no file brings the dialog back naming
    // it; the path of a file that exists lets the apply go on with it.
    main.PressSet();
    EXPECT_FALSE(AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK).empty());
    error = m_tool.WaitForDialog(copyError, kTimeout);
    ASSERT_NE(error, nullptr) << DescribeWindows(m_tool.VisibleWindows());
    SetItemText(error, IDC_COPY_SOURCE, alsoMissing);
    PressButton(error, IDRETRY);
    ASSERT_TRUE(WaitForWindowToClose(error, kTimeout));
    error = m_tool.WaitForDialog(copyError, kTimeout);
    ASSERT_NE(error, nullptr) << DescribeWindows(m_tool.VisibleWindows());
    EXPECT_EQ(DialogItemText(error, IDC_COPY_MESSAGE), Cp932(u8"nothing.kpx をｺﾋﾟｰできません。"));
    EXPECT_EQ(DialogItemText(error, IDC_COPY_SOURCE), alsoMissing);
    SetItemText(error, IDC_COPY_SOURCE, found);
    PressButton(error, IDRETRY);
    ExpectApplyDone(m_tool, main);

    // The corrected file is installed under its own name and recorded for
    // the kind; the file shared by the other three kinds is installed once.
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("p-font2.kpx")), "poster font");
    EXPECT_EQ(ReadFileBytes(DriverDirectoryFile("p-font2.kpx")), "poster font");
    EXPECT_EQ(ReadFileBytes(SystemDirectoryFile("p-auto.kpx")), "poster auto");
    EXPECT_FALSE(PathExists(SystemDirectoryFile("p-font.kpx")));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"),
              (Lines{"ColorProfileSetName=" + set, "Auto=p-auto.kpx", "Font=p-font2.kpx", "Tone=p-auto.kpx",
                     "Vividness=p-auto.kpx"}));
    EXPECT_EQ(main.Rows()[0][1], set);
    // The tool settings file still names the missing file.
    EXPECT_NE(ReadFileBytes(m_folder->file("KPXSETUP.INI")).find("p-font.kpx"), std::string::npos);

    Close(main);
}

// A target another program holds open cannot be replaced: the copy fails,
// the set is recorded all the same, and the click ends with one message that
// names the file the driver may now lack.
TEST_F(ApplyBlackbox, ACopyThatFailsIsReportedAfterTheSetIsRecorded)
{
    ASSERT_TRUE(m_folder->WriteSettings(kOfficeSettings));
    ASSERT_NO_FATAL_FAILURE(WriteOfficeProfiles());
    const std::string locked = SystemDirectoryFile("font.kpx");
    // A folder of the file's name: nothing replaces it. (A file held by
    // another program is asked about and replaced at the restart.)
    ASSERT_TRUE(CreateDirectoryA(locked.c_str(), nullptr));

    HWND dlg = Start();
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    PressSetAndConfirm(main, "Office");
    const std::string report = AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK);
    EXPECT_EQ(report.find(Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄは設定しましたが")), 0u) << report;
    EXPECT_NE(report.find(locked), std::string::npos) << report;
    ExpectApplyDone(m_tool, main);

    EXPECT_TRUE(GetFileAttributesA(locked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(locked.c_str());
    EXPECT_EQ(ReadFileBytes(DriverDirectoryFile("font.kpx")), "new font");
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F")[0], "ColorProfileSetName=Office");
    EXPECT_EQ(main.Rows()[0][1], "Office");

    Close(main);
}

// Wine's spooler refuses every rename (SetPrinter at level 5 fails), so the
// real program meets the refused rename here: one message names it, the
// printer and its settings keep the old name, the typed name stays in the
// edit and Set stays enabled for another try.
TEST_F(ApplyBlackbox, ARenameTheSpoolerRefusesKeepsTheOldNameAndItsSettings)
{
    ASSERT_TRUE(m_folder->WriteSettings(ToolSettingsText({"Art"}, {SetFiles("Art", "%KPXSETUP%\\art.kpx")})));
    ASSERT_FALSE(m_folder->WriteProfile("art.kpx", "art").empty());

    HWND dlg = Start();
    ASSERT_NE(dlg, nullptr);
    RemoteMainDialog main(dlg);
    main.SetName("Plotter 3G");
    PressSetAndConfirm(main, "Art");
    const std::string report = AnswerMessageBox(m_tool, Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙ設定"), IDOK);
    EXPECT_EQ(report.find(Cp932(u8"ｶﾗｰﾌﾟﾛﾌｧｲﾙｾｯﾄは設定しましたが")), 0u) << report;
    EXPECT_NE(report.find("Plotter 3G"), std::string::npos) << report;
    PumpMessages(300);
    EXPECT_EQ(m_tool.VisibleWindows(), std::vector<HWND>{main.window()}) << DescribeWindows(m_tool.VisibleWindows());
    EXPECT_TRUE(main.SetButtonEnabled());

    EXPECT_EQ(main.Rows(), (std::vector<Lines>{{"Plotter 3F", "Art", "FILE:"}}));
    EXPECT_EQ(main.Name(), "Plotter 3G");
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"),
              (Lines{"ColorProfileSetName=Art", "Auto=art.kpx", "Font=art.kpx", "Tone=art.kpx", "Vividness=art.kpx"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3G"), Lines{});
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterA(const_cast<char*>("Plotter 3F"), &printer, nullptr));
    if (printer)
        ClosePrinter(printer);

    Close(main);
}

} // namespace
