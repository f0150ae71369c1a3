// File times after January 2038, where the run-time library's 32-bit time
// ends: the status keeps them, and the overwrite question shows their date.
#include "classlib/FileStatus.h"
#include "support/TempDir.h"
#include "ui/FileInfoText.h"

#include <gtest/gtest.h>

namespace {

// 2100-01-01 12:00:00 UTC: the same calendar day in every time zone.
const FileSeconds k2100Noon = 4102488000LL;

TEST(FileTimeBeyond2038, StatusKeepsTheTimeAndTheQuestionShowsItsDay)
{
    TempDir dir;
    const std::string path = dir.file("late.kpx");
    ASSERT_TRUE(WriteFileBytes(path, "x"));
    ASSERT_TRUE(SetFileTimeUtc(path, {2100, 1, 5, 1, 12, 0, 0, 0}));

    CFileStatus status;
    ASSERT_TRUE(GetFileStatus(path.c_str(), status));
    EXPECT_EQ(status.m_mtime, k2100Noon);
    const std::string shown = FormatLocalMinute(status.m_mtime);
    EXPECT_EQ(shown.substr(0, 11), "2100/01/01 ") << shown;
    EXPECT_EQ(shown.size(), 16u) << shown;
}

} // namespace
