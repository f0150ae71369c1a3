// /remove as a software-distribution tool's uninstall runs it: the printers'
// records leave PLOTA2.INI, the set's files leave the system and driver
// directories once no record names them, /check then tells the set is gone,
// and a file held open goes at the restart, unless a later apply keeps it.
#include "kpx_version.h"
#include "platform/PendingRenames.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
const char* const kFiles[] = {"auto.kpx", "font.kpx", "tone.kpx", "vivid.kpx"};

class RemoveBlackbox : public ::testing::Test {
protected:
    // Plotter 3F and Plotter 4F of the supported driver; set Office with its
    // four files.
    void SetUp() override
    {
        DeleteAllPrinters();
        m_printers.push_back(std::make_unique<TestPrinter>("Plotter 3F", kDriver));
        m_printers.push_back(std::make_unique<TestPrinter>("Plotter 4F", kDriver));
        ASSERT_TRUE(m_folder.deployed() && m_printers[0]->added() && m_printers[1]->added());
        ASSERT_TRUE(m_folder.WriteSettings(
            ToolSettingsText({"Office"}, {SetFiles("Office", "%KPXSETUP%\\o\\auto.kpx", "%KPXSETUP%\\o\\vivid.kpx",
                                                   "%KPXSETUP%\\o\\tone.kpx", "%KPXSETUP%\\o\\font.kpx")})));
        for (const char* name : kFiles)
            ASSERT_FALSE(m_folder.WriteProfile(std::string("o\\") + name, name).empty());
    }

    DWORD Run(const std::string& arguments) { return RunQuietly(m_folder.exe(), arguments, &m_output, 20000); }

    // Every copy of the set's files: present or gone.
    void ExpectFiles(bool present)
    {
        for (const char* name : kFiles) {
            for (const std::string& target : ProfileCopies(name))
                EXPECT_EQ(PathExists(target), present) << target;
        }
    }

    ToolFolder m_folder;
    std::vector<std::unique_ptr<TestPrinter>> m_printers;
    std::string m_output;
};

// The apply undone printer by printer: the driver's own key and the other
// sections stay; the files stay while another record names them and go
// with the last one; a run with nothing left to remove ends with 0 and says
// so in the log.
TEST_F(RemoveBlackbox, RemoveUndoesTheApplyAndKeepsFilesAnotherRecordNames)
{
    const std::string before =
        DriverSettingsText({{"Plotter 3F", {{"Resolution", "600"}}}, {"Other", {{"ColorProfileSetName", "Art"}}}});
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), before));
    ASSERT_EQ(Run("/printer:* /set:Office"), 0u) << m_output;
    ExpectFiles(true);

    EXPECT_EQ(Run("/printer:\"plotter 3f\" /remove"), 0u);
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 3F"), (Lines{"Resolution=600"}));
    EXPECT_EQ(IniSection(DriverIniFile(), "Plotter 4F").size(), 5u);
    ExpectFiles(true);
    EXPECT_NE(m_output.find(Cp932(u8"auto.kpxは他のﾌﾟﾘﾝﾀｰの設定が使用しているため、削除しませんでした。")),
              std::string::npos)
        << m_output;
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /check"), 10u);
    EXPECT_EQ(Run("/printer:\"Plotter 4F\" /set:Office /check"), 0u);

    const std::string log = m_folder.file("run.log");
    EXPECT_EQ(Run("/printer:\"Plotter 4F\" /remove /log:\"" + log + "\""), 0u);
    ExpectFiles(false);
    // What the apply wrote is gone, the section it made with it.
    EXPECT_EQ(ReadFileBytes(DriverIniFile()), before);
    EXPECT_NE(m_output.find(Cp932(ProfileCopies("tone.kpx").front() + u8"を削除しました。")), std::string::npos)
        << m_output;

    // Nothing left to remove: 0, nothing written, and the log says so.
    const std::string removed = ReadFileBytes(DriverIniFile());
    EXPECT_EQ(Run("/printer:* /remove /log:\"" + log + "\""), 0u);
    EXPECT_EQ(ReadFileBytes(DriverIniFile()), removed);
    const std::string logged = ReadFileBytes(log);
    const size_t last = logged.rfind("\r\n", logged.size() - 3);
    ASSERT_NE(last, std::string::npos) << logged;
    EXPECT_NE(logged.find(Cp932(u8"ﾊﾞｰｼﾞｮﾝ: " KPX_VERSION_TEXT " ")), std::string::npos) << logged;
    EXPECT_NE(logged.find(Cp932(u8"秒, changed)\r\n")), std::string::npos) << logged;
    EXPECT_NE(logged.substr(last).find(Cp932(u8"秒, nothing to change)\r\n")), std::string::npos) << logged;
}

// A file another program holds open is deleted at the restart (3010); the
// others go at once.
TEST_F(RemoveBlackbox, HeldFileIsDeletedAtTheRestart)
{
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /set:Office"), 0u);
    const std::string target = SystemDirectoryFile("auto.kpx");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 3010u);
    EXPECT_NE(m_output.find(Cp932(target + u8"は使用中のため、Windowsの再起動時に削除されます。")), std::string::npos)
        << m_output;
    EXPECT_TRUE(IsNamedIn(PendingRenamePaths(), target));
    EXPECT_FALSE(PathExists(SystemDirectoryFile("tone.kpx")));
    CloseHandle(held);
    EXPECT_TRUE(PathExists(target));

    ASSERT_EQ(RunQuietly(SystemDirectoryFile("wineboot.exe"), "-r", nullptr, 60000), 0u);
    EXPECT_FALSE(PathExists(target));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /check"), 10u);
}

// A file that stood under a set's file name before the first apply is the
// driver's or the administrator's: the apply keeps it aside, the removal
// puts it back in place of the tool's file, and the account of what the tool
// installed is empty again.
TEST_F(RemoveBlackbox, AFileThereBeforeTheFirstApplyIsBackAfterTheRemoval)
{
    const std::string target = SystemDirectoryFile("auto.kpx");
    ASSERT_TRUE(WriteFileBytes(target, "the driver's own auto.kpx"));
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /set:Office"), 0u) << m_output;
    EXPECT_EQ(ReadFileBytes(target), "auto.kpx");
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 0u) << m_output;
    EXPECT_EQ(ReadFileBytes(target), "the driver's own auto.kpx");
    EXPECT_NE(m_output.find(Cp932(target + u8"を、このﾂｰﾙが置き換える前のﾌｧｲﾙに戻しました。")), std::string::npos)
        << m_output;
    EXPECT_FALSE(PathExists(target + ".~kpxkept"));
    EXPECT_FALSE(PathExists(SystemDirectoryFile("tone.kpx")));
    EXPECT_FALSE(PathExists(SystemDirectoryFile("KPXSETUP.LST")));
}

// The profile functions read Auto="auto.kpx" as auto.kpx: Plotter 4F's
// driver still uses the file, which stays; the files no record names go.
TEST_F(RemoveBlackbox, AQuotedValueOfAnotherRecordKeepsItsFile)
{
    ASSERT_EQ(Run("/printer:* /set:Office"), 0u) << m_output;
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), DriverSettingsText({{"Plotter 3F",
                                                                     {{"ColorProfileSetName", "Office"},
                                                                      {"Auto", "auto.kpx"},
                                                                      {"Vividness", "vivid.kpx"},
                                                                      {"Tone", "tone.kpx"},
                                                                      {"Font", "font.kpx"}}},
                                                                    {"Plotter 4F", {{"Auto", "\"auto.kpx\""}}}})));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 0u) << m_output;
    for (const std::string& copy : ProfileCopies("auto.kpx"))
        EXPECT_TRUE(PathExists(copy)) << copy;
    for (const std::string& copy : ProfileCopies("tone.kpx"))
        EXPECT_FALSE(PathExists(copy)) << copy;
}

// What no apply put there stays, each with a line: the driver's own profile
// a record names, and a short name that is another file's.
TEST_F(RemoveBlackbox, FilesTheToolDidNotPutThereStay)
{
    const std::string own = SystemDirectoryFile("driver.kpx"), other = SystemDirectoryFile("verylongname.kpx");
    ASSERT_TRUE(WriteFileBytes(own, "driver") && WriteFileBytes(other, "another program's"));
    char alias[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(other.c_str(), alias, MAX_PATH), 0u);
    const std::string aliasName = std::string(alias).substr(std::string(alias).rfind('\\') + 1);
    ASSERT_NE(aliasName, "verylongname.kpx");
    ASSERT_TRUE(WriteFileBytes(
        DriverIniFile(),
        DriverSettingsText(
            {{"Plotter 3F", {{"ColorProfileSetName", "Office"}, {"Auto", "driver.kpx"}, {"Font", aliasName}}}})));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 0u) << m_output;
    EXPECT_EQ(ReadFileBytes(own), "driver");
    EXPECT_EQ(ReadFileBytes(other), "another program's");
    EXPECT_NE(m_output.find(Cp932(own + u8"はこのﾂｰﾙが置いたﾌｧｲﾙではないため、削除しませんでした。")),
              std::string::npos)
        << m_output;
    EXPECT_NE(m_output.find(Cp932(SystemDirectoryFile(aliasName) + u8"は短い名前")), std::string::npos) << m_output;
}

// Two sections of one name: the profile functions read Plotter 3F's record
// from the first, which has none. A removal must not take the empty one away
// and so make the second one the printer's record.
TEST_F(RemoveBlackbox, AnEmptySectionBeforeARecordIsNotTurnedIntoTheRecord)
{
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(),
                               "[Plotter 3F]\r\n[Plotter 3F]\r\nColorProfileSetName=Office\r\nAuto=auto.kpx\r\n"));
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 0u) << m_output;
    char value[64] = {};
    GetPrivateProfileStringA("Plotter 3F", "ColorProfileSetName", "", value, sizeof value, DriverIniFile().c_str());
    EXPECT_STREQ(value, "") << ReadFileBytes(DriverIniFile());
    EXPECT_TRUE(IniSection(DriverIniFile(), "Plotter 3F").empty());
}

// A line without "=" in the printer's section (a CR alone ends each line,
// which leaves the file to the profile functions) stays through an apply.
TEST_F(RemoveBlackbox, ALineWithoutEqualsInThePrintersSectionSurvivesAnApply)
{
    ASSERT_TRUE(WriteFileBytes(DriverIniFile(), "[Plotter 3F]\rDuplex\r"));
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /set:Office"), 0u) << m_output;
    const Lines section = IniSection(DriverIniFile(), "Plotter 3F");
    EXPECT_NE(std::find(section.begin(), section.end(), "Duplex"), section.end()) << ReadFileBytes(DriverIniFile());
    EXPECT_NE(std::find(section.begin(), section.end(), "ColorProfileSetName=Office"), section.end());
}

// A later apply that keeps the held file (the set's own file: in place,
// unasked) takes its deletion at the restart back: the file is still there
// after the restart.
TEST_F(RemoveBlackbox, AKeptFileIsNotDeletedAtTheRestart)
{
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /set:Office"), 0u);
    const std::string target = SystemDirectoryFile("auto.kpx");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 3010u);
    ASSERT_TRUE(IsNamedIn(PendingRenamePaths(), target));

    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /overwrite:no"), 0u);
    EXPECT_NE(m_output.find(Cp932(target + u8"は既に同じｶﾗｰﾌﾟﾛﾌｧｲﾙのため、ｺﾋﾟｰしませんでした。")), std::string::npos)
        << m_output;
    EXPECT_FALSE(IsNamedIn(PendingRenamePaths(), target));
    CloseHandle(held);

    ASSERT_EQ(RunQuietly(SystemDirectoryFile("wineboot.exe"), "-r", nullptr, 60000), 0u);
    EXPECT_EQ(ReadFileBytes(target), "auto.kpx");
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /check"), 0u);
}

} // namespace
