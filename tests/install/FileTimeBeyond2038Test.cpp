// File times after January 2038, where the run-time library's 32-bit time
// ends: the status keeps them, and the overwrite question shows their date.
#include "classlib/FileStatus.h"
#include "install/FileInfoText.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// 2100-01-01 12:00:00 UTC: the same calendar day in every time zone.
const FileSeconds k2100Noon = 4102488000LL;

TEST(FileTimeBeyond2038, StatusKeepsTheTimeAndTheQuestionShowsItsDay)
{
    TempDir dir;
    const std::string path = dir.file("late.kpx");
    ASSERT_TRUE(WriteFileBytes(path, "x"));
    SYSTEMTIME noon = {2100, 1, 5, 1, 12, 0, 0, 0};
    FILETIME time;
    ASSERT_TRUE(SystemTimeToFileTime(&noon, &time));
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);

    CFileStatus status;
    ASSERT_TRUE(GetFileStatus(path.c_str(), status));
    EXPECT_EQ(status.m_mtime, k2100Noon);
    const std::string shown = FormatLocalMinute(status.m_mtime);
    EXPECT_EQ(shown.substr(0, 11), "2100/01/01 ") << shown;
    EXPECT_EQ(shown.size(), 16u) << shown;
}

} // namespace
