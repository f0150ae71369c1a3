// The file-status query against real files: size and times as the file
// system keeps them, refusal of wildcards, names with a backslash as the
// trail byte of a double-byte character.
#include "classlib/FileStatus.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// 2021-03-04 05:06:07 UTC.
const std::time_t kKnownTime = 1614834367;

void SetTimes(const std::string& path, WORD second)
{
    SYSTEMTIME st = {};
    st.wYear = 2021;
    st.wMonth = 3;
    st.wDay = 4;
    st.wHour = 5;
    st.wMinute = 6;
    st.wSecond = second;
    ASSERT_TRUE(SetFileTimeUtc(path, st, true));
}

TEST(FileStatusTest, GivesSizeAndTimesOfTheFile)
{
    TempDir dir;
    std::string path = dir.file("profile.kpx");
    ASSERT_TRUE(WriteFileBytes(path, std::string(1536, 'x')));
    SetTimes(path, 7);

    CFileStatus status;
    ASSERT_TRUE(GetFileStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 1536u);
    EXPECT_EQ(status.m_mtime, kKnownTime);
    EXPECT_EQ(status.m_ctime, kKnownTime);
    EXPECT_EQ(status.m_atime, kKnownTime);
    EXPECT_EQ(status.m_attribute & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(FileStatusTest, NameWithBackslashTrailByteIsFound)
{
    TempDir dir;
    std::string path = dir.file("\x83\x5C.kpx"); // katakana "so"
    ASSERT_TRUE(WriteFileBytes(path, "12345"));
    CFileStatus status;
    ASSERT_TRUE(GetFileStatus(path.c_str(), status));
    EXPECT_EQ(status.m_size, 5u);
}

TEST(FileStatusTest, MissingFileGivesFalseAndLeavesStatusAlone)
{
    TempDir dir;
    CFileStatus status;
    status.m_size = 42;
    EXPECT_FALSE(GetFileStatus(dir.file("missing.kpx").c_str(), status));
    EXPECT_FALSE(GetFileStatus("", status));
    EXPECT_FALSE(GetFileStatus(nullptr, status));
    EXPECT_EQ(status.m_size, 42u);
}

TEST(FileStatusTest, WildcardsAreRefusedEvenWhenAFileMatches)
{
    TempDir dir;
    ASSERT_TRUE(WriteFileBytes(dir.file("file.kpx"), "abc"));
    for (const char* pattern : {"*.kpx", "fil?.kpx", "file.kpx*", "*"}) {
        CFileStatus status;
        status.m_size = 42;
        EXPECT_FALSE(GetFileStatus(dir.file(pattern).c_str(), status)) << pattern;
        EXPECT_EQ(status.m_size, 42u) << pattern;
    }
}

} // namespace
