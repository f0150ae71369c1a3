// The driver settings file read and written for real with the system's
// profile calls. The system directory is pointed at a fresh folder so that
// each test starts from a known file.
#include "settings/DriverINI.h"
#include "support/ApiOverride.h"
#include "support/Cp932.h"
#include "support/DriverRecord.h"
#include "support/ScopedOsVersion.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DriverSettings : public ::testing::Test {
protected:
    // The file as another program (the driver) would leave it.
    void Plant(const std::string& bytes)
    {
        ASSERT_TRUE(WriteFileBytes(m_ini, bytes));
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, m_ini.c_str());
    }
    std::string Bytes() const { return ReadFileBytes(m_ini); }

    TempDir m_dir;
    std::string m_ini = m_dir.file("PLOTA2.INI");
    ScopedOsVersion m_version{Os7};
    ScopedPlatformFlags m_flags{false, false};
    // The system directory the program sees; a test may point it elsewhere.
    std::string m_systemDir = m_dir.path();
    ScopedApiOverride<&Win32Api::GetSystemDirectoryA> m_system{[this](LPSTR buffer, UINT size) {
        lstrcpynA(buffer, m_systemDir.c_str(), size);
        return static_cast<UINT>(m_systemDir.size());
    }};
};

TEST_F(DriverSettings, ApplyingASetWritesTheSectionWithFileNamesOnly)
{
    CDriverINI ini;
    EXPECT_EQ(m_ini, ini.GetIniPath());
    const std::string files[4] = {"C:\\Tools\\Setup\\office\\auto.kpx", "E:\\fonts/sub/font.kpx",
                                  Cp932(u8"D:\\ソフト\\tone.kpx"), "vivid.kpx"};
    EXPECT_EQ(WriteRecord("Plotter 3F", "Office", files), TextChangeDone);
    EXPECT_EQ("[Plotter 3F]\r\n"
              "ColorProfileSetName=Office\r\n"
              "Auto=auto.kpx\r\n"
              "Font=font.kpx\r\n"
              "Tone=tone.kpx\r\n"
              "Vividness=vivid.kpx\r\n",
              Bytes());
}

TEST_F(DriverSettings, RecordThatIsThereAlreadyIsNotWrittenAgain)
{
    const std::string file = "[P]\r\nResolution = 600\r\ncolorprofilesetname=Office\r\nAuto=auto.kpx\r\n"
                             "Font=font.kpx\r\nTone=tone.kpx\r\nVividness=vivid.kpx\r\n";
    const std::string files[4] = {"C:\\Sets\\auto.kpx", "font.kpx", "tone.kpx", "vivid.kpx"};
    Plant(file);
    EXPECT_EQ(WriteRecord("P", "Office", files), TextChangeNotNeeded);
    EXPECT_EQ(file, Bytes());
    EXPECT_EQ(WriteRecord("P", "Photo", files), TextChangeDone);
    EXPECT_EQ("[P]\r\nResolution = 600\r\ncolorprofilesetname=Photo\r\nAuto=auto.kpx\r\nFont=font.kpx\r\n"
              "Tone=tone.kpx\r\nVividness=vivid.kpx\r\n",
              Bytes());
}

TEST_F(DriverSettings, RecordedSetNameIsReadRegardlessOfLetterCase)
{
    Plant("[Plotter 3F]\r\nColorProfileSetName=Office\r\n[Empty]\r\nColorProfileSetName=\r\n");
    CDriverINI ini;
    std::string name = "unchanged";
    EXPECT_TRUE(ini.ReadProfileSetName("plotter 3f", name));
    EXPECT_EQ("Office", name);

    // A name with a blank at an end would read the section of "Plotter 3F".
    for (const char* printer : {"Empty", "Missing", "Plotter 3F ", " Plotter 3F", "Plotter 3F\t"}) {
        name = "unchanged";
        EXPECT_FALSE(ini.ReadProfileSetName(printer, name)) << printer;
        EXPECT_EQ("unchanged", name);
    }
}

TEST_F(DriverSettings, LongSetNamesAreReadAsTheirFirst259Characters)
{
    CDriverINI ini;
    for (size_t length : {259u, 260u, 400u}) {
        Plant("[P]\r\nColorProfileSetName=" + std::string(length, 's') + "\r\n");
        std::string name;
        EXPECT_TRUE(ini.ReadProfileSetName("P", name));
        EXPECT_EQ(259u, name.size()) << length;
    }
}

TEST_F(DriverSettings, MovedSectionKeepsEveryKeyUnderTheNewName)
{
    Plant("[P1]\r\nColorProfileSetName=Office\r\nAuto=auto.kpx\r\nDriverPrivate=42\r\n"
          "[Other]\r\nA=1\r\n");
    CDriverINI ini;
    ASSERT_TRUE(ini.LoadSection("p1"));
    EXPECT_TRUE(ini.SaveSection("P2"));
    EXPECT_TRUE(ini.DeleteSection("P1"));
    EXPECT_EQ("[Other]\r\nA=1\r\n"
              "[P2]\r\nColorProfileSetName=Office\r\nAuto=auto.kpx\r\nDriverPrivate=42\r\n",
              Bytes());
}

TEST_F(DriverSettings, SavingWithoutALoadedSectionWritesNothing)
{
    Plant("[P1]\r\nA=1\r\n");
    const std::string before = Bytes();
    CDriverINI ini;
    EXPECT_FALSE(ini.SaveSection("P2"));
    // A failed load holds nothing either, also after an earlier success.
    ASSERT_TRUE(ini.LoadSection("P1"));
    EXPECT_FALSE(ini.LoadSection("Missing"));
    EXPECT_FALSE(ini.SaveSection("P2"));
    EXPECT_EQ(before, Bytes());
}

TEST_F(DriverSettings, SavingIntoAFileThatCannotBeWrittenFails)
{
    Plant("[P1]\r\nA=1\r\n");
    CDriverINI ini;
    ASSERT_TRUE(ini.LoadSection("P1"));
    // Another program holds the file open without sharing.
    HANDLE held = CreateFileA(m_ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_FALSE(ini.SaveSection("P2"));
    CloseHandle(held);
    EXPECT_EQ("[P1]\r\nA=1\r\n", Bytes());
}

TEST_F(DriverSettings, SecondLoadReplacesTheFirst)
{
    Plant("[A]\r\nKey=a\r\n[B]\r\nKey=b\r\n");
    CDriverINI ini;
    ASSERT_TRUE(ini.LoadSection("A"));
    ASSERT_TRUE(ini.LoadSection("B"));
    ASSERT_TRUE(ini.SaveSection("C"));
    std::string c(20, '\0');
    c.resize(GetPrivateProfileStringA("C", "Key", "", &c[0], 20, m_ini.c_str()));
    EXPECT_EQ("b", c);
}

TEST_F(DriverSettings, LoadFailsForAMissingOrEmptyFileOrSection)
{
    EXPECT_FALSE(CDriverINI().LoadSection("P1")); // no file
    Plant("");
    EXPECT_FALSE(CDriverINI().LoadSection("P1")); // empty file: nothing to size a buffer by
    Plant("[P1]\r\n[P2]\r\nA=1\r\n");
    EXPECT_FALSE(CDriverINI().LoadSection("P1")); // empty section
    EXPECT_FALSE(CDriverINI().LoadSection("P3")); // no section
    ScopedApiOverride<&Win32Api::GlobalAlloc> alloc([](UINT, SIZE_T) -> HGLOBAL { return nullptr; });
    EXPECT_FALSE(CDriverINI().LoadSection("P2"));
}

TEST_F(DriverSettings, SectionThatGrewSinceTheFileWasMeasuredIsNotLoaded)
{
    Plant("[P1]\r\nA=1\r\n");
    CDriverINI ini;
    ASSERT_TRUE(WritePrivateProfileStringA("P1", "Big", std::string(200, 'x').c_str(), m_ini.c_str()));
    EXPECT_FALSE(ini.LoadSection("P1"));
    EXPECT_FALSE(ini.SaveSection("P2"));
    EXPECT_TRUE(CDriverINI().LoadSection("P1"));
}

TEST_F(DriverSettings, MissingDirectoryMakesWritesFailWithoutCreatingIt)
{
    m_systemDir = m_dir.file("_OMRA");
    CDriverINI ini;
    const std::string files[4] = {"auto.kpx", "font.kpx", "tone.kpx", "vivid.kpx"};
    EXPECT_EQ(WriteRecord("P1", "Office", files), TextChangeFailed);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_systemDir.c_str()));
    std::string name = "unchanged";
    EXPECT_FALSE(ini.ReadProfileSetName("P1", name));
    EXPECT_EQ("unchanged", name);
}

} // namespace
