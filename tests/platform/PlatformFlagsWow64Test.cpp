// QueryWow64 and its flag in a 64-bit prefix, where this 32-bit program runs
// under WOW64.
#include "platform/PlatformFlags.h"

#include "support/ScopedPlatformFlags.h"

#include <gtest/gtest.h>

namespace {

TEST(Wow64Query, ThirtyTwoBitProgramOnSixtyFourBitSystemIsWow64)
{
    EXPECT_EQ(1, QueryWow64());
}

TEST(Wow64Query, TheNativeMachineIsTheSixtyFourBitOne)
{
    EXPECT_EQ(IMAGE_FILE_MACHINE_AMD64, QueryNativeMachine());
}

TEST(PlatformFlags, WowSixtyFourFlagIsSetOnSixtyFourBitSystem)
{
    ScopedPlatformFlags restore(false, false);
    InitPlatformFlags();
    EXPECT_EQ(TRUE, RunningOnWow64());
}

} // namespace
