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
