// How the overwrite question writes a file's size and time, and how the
// secondary dialogs fill the format texts of their templates.
#include "ui/FileInfoText.h"

#include "classlib/TemplateFormat.h"
#include "support/Cp932.h"
#include "support/DialogTexts.h"
#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

// --- Kilobytes ---

TEST(FileInfoTextTest, SizeInKilobytesRoundsHalfUpButShowsOnlyEmptyFilesAsZero)
{
    const ULONGLONG KB = 1024;
    const ULONGLONG TB = KB * KB * KB * KB;
    const struct {
        ULONGLONG bytes;
        ULONGLONG kilobytes;
    } cases[] = {
        {0, 0},
        {1, 1},
        {511, 1},
        {512, 1},
        {1023, 1},
        {1024, 1},
        {1535, 1},
        {1536, 2},
        {2559, 2},
        {2560, 3},
        {10 * KB + 511, 10},
        {10 * KB + 512, 11},
        // Past the 32-bit byte range (4 GiB and more).
        {4 * KB * KB * KB, 4 * KB * KB},
        {4 * KB * KB * KB + 512, 4 * KB * KB + 1},
        // Past the 32-bit kilobyte range (2 TiB and more).
        {2 * TB, 2 * KB * KB * KB},
        {5 * TB, 5 * KB * KB * KB},
        {5 * TB + 1535, 5 * KB * KB * KB + 1},
        {~0ULL, (~0ULL >> 10) + 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SizeInKilobytes(c.bytes), c.kilobytes) << c.bytes << " bytes";
}

// --- Template formats ---

TEST(FileInfoTextTest, NumberIsFormattedIntoTheTemplateAtSixtyFourBits)
{
    const struct {
        const char* format;
        long long value;
        const char* shown;
    } cases[] = {
        {"%d KB", 0, "0 KB"},
        {"%d KB", 1536, "1536 KB"},
        {"%d KB", 5368709120LL, "5368709120 KB"}, // 5 TiB in kilobytes
        {"%i KB", -1, "-1 KB"},
        {"%5d KB", 42, "   42 KB"},
        {"%ld KB", 5368709120LL, "5368709120 KB"},
        {"100%% %d KB", 7, "100% 7 KB"},
        // Not one number conversion: the template text stays as it is.
        {"KB", 7, "KB"},
        {"%s KB", 7, "%s KB"},
        {"%d of %d KB", 7, "%d of %d KB"},
        {"%*d KB", 7, "%*d KB"},
        {"%d KB %", 7, "%d KB %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatTemplateNumber(c.format, c.value), c.shown) << c.format;
}

TEST(FileInfoTextTest, TextIsFormattedIntoTheTemplate)
{
    const std::string copyMessage = Cp932(u8"%s をｺﾋﾟｰできません。");
    const std::string overwrite = Cp932(u8"次のﾌｫﾙﾀﾞには既に '%s' ﾌｧｲﾙが存在します。");
    // A file name with a percent sign and a backslash trail byte is text,
    // never a format.
    const std::string name = "100%s\x83\x5C.kpx";
    EXPECT_PRED_FORMAT2(SameBytes, Cp932(u8"A.kpx をｺﾋﾟｰできません。"), FormatTemplateText(copyMessage, "A.kpx"));
    EXPECT_PRED_FORMAT2(SameBytes, AlreadyThereText(name), FormatTemplateText(overwrite, name));
    EXPECT_EQ(FormatTemplateText("[%-4s]", "ab"), "[ab  ]");
    EXPECT_EQ(FormatTemplateText("%d KB", "ab"), "%d KB");
    EXPECT_EQ(FormatTemplateText("%s and %s", "ab"), "%s and %s");
    EXPECT_EQ(FormatTemplateText("%ls", "ab"), "%ls");
}

// --- Local time ---

// 2021-03-04 05:06:07 UTC.
const std::time_t kKnownTime = 1614834367;

TEST(FileInfoTextTest, TimeIsShownInLocalTimeToTheMinute)
{
    {
        ScopedTimeZone tokyo("JST-9");
        EXPECT_EQ(FormatLocalMinute(kKnownTime), "2021/03/04 14:06");
        // Seconds are not shown: times within one minute look the same.
        EXPECT_EQ(FormatLocalMinute(kKnownTime - 7), "2021/03/04 14:06");
        EXPECT_EQ(FormatLocalMinute(kKnownTime + 52), "2021/03/04 14:06");
        EXPECT_EQ(FormatLocalMinute(kKnownTime + 53), "2021/03/04 14:07");
    }
    {
        ScopedTimeZone newYork("EST5");
        EXPECT_EQ(FormatLocalMinute(kKnownTime), "2021/03/04 00:06");
    }
    {
        // The date rolls over with the zone.
        ScopedTimeZone tokyo("JST-9");
        EXPECT_EQ(FormatLocalMinute(1609426800), "2021/01/01 00:00"); // 2020-12-31 15:00 UTC
    }
}

} // namespace
