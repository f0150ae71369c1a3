// /remove as a software-distribution tool's uninstall runs it: the printers'
// records leave PLOTA2.INI, the set's files leave the system and driver
// directories once no record names them, /check then tells the set is gone,
// and a file held open goes at the restart, unless a later apply keeps it.
#include "platform/PendingRenames.h"
#include "support/Cp932.h"
#include "support/IniSection.h"
#include "support/QuietRun.h"
#include "support/SettingsText.h"
#include "support/TestPrinter.h"
#include "support/ToolFolder.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

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
    ASSERT_EQ(Run("/printer:* /set:Office"), 0u);
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
    EXPECT_NE(logged.find(Cp932(u8"ﾊﾞｰｼﾞｮﾝ: 1.0.0.0 ")), std::string::npos) << logged;
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

// A later apply that keeps the held file (/overwrite:no) takes its deletion
// at the restart back: the file is still there after the restart.
TEST_F(RemoveBlackbox, AKeptFileIsNotDeletedAtTheRestart)
{
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /set:Office"), 0u);
    const std::string target = SystemDirectoryFile("auto.kpx");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ASSERT_EQ(Run("/printer:\"Plotter 3F\" /remove"), 3010u);
    ASSERT_TRUE(IsNamedIn(PendingRenamePaths(), target));

    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /overwrite:no"), 0u);
    EXPECT_NE(m_output.find(Cp932(target + u8"は既に存在するため、上書きしませんでした。")), std::string::npos)
        << m_output;
    EXPECT_FALSE(IsNamedIn(PendingRenamePaths(), target));
    CloseHandle(held);

    ASSERT_EQ(RunQuietly(SystemDirectoryFile("wineboot.exe"), "-r", nullptr, 60000), 0u);
    EXPECT_EQ(ReadFileBytes(target), "auto.kpx");
    EXPECT_EQ(Run("/printer:\"Plotter 3F\" /set:Office /check"), 0u);
}

} // namespace
