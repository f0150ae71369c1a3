// In a 64-bit prefix, where this 32-bit program runs under WOW64: the
// overwrite question describes the file in the native system directory (the
// one that would be replaced), not its 32-bit substitute.
#include "ui/OverwriteDlg.h"

#include "res/resource.h"
#include "support/ScopedPlatformFlags.h"
#include "support/TempDir.h"
#include "support/WinePrefix.h"

#include <gtest/gtest.h>

namespace {

class Wow64Overwrite : public ::testing::Test {
protected:
    void TearDown() override
    {
        DeleteFileA(NativeSystemFile("kpx_overwrite.kpx").c_str());
        DeleteFileA(RedirectedSystemFile("kpx_overwrite.kpx").c_str());
    }
};

TEST_F(Wow64Overwrite, ShowsTheSizeOfTheFileInTheNativeSystemDirectory)
{
    ASSERT_FALSE(PrefixPath("").empty());
    // Different sizes on both sides show which file is described.
    ASSERT_TRUE(WriteFileBytes(NativeSystemFile("kpx_overwrite.kpx"), std::string(2560, 'n')));
    ASSERT_TRUE(WriteFileBytes(RedirectedSystemFile("kpx_overwrite.kpx"), "w"));
    TempDir dir;
    std::string source = dir.file("kpx_overwrite.kpx");
    ASSERT_TRUE(WriteFileBytes(source, std::string(1536, 's')));

    ScopedPlatformFlags flags(true, false);
    COverwriteDlg dlg;
    dlg.SetFiles(source.c_str(), "C:\\windows\\system32\\kpx_overwrite.kpx");
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.GetDlgItemText(IDC_EXISTING_SIZE), "3 KB");
    EXPECT_EQ(dlg.GetDlgItemText(IDC_NEW_SIZE), "2 KB");
}

} // namespace
