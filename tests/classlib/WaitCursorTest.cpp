// The wait cursor shows the hourglass and gives back the cursor that was
// showing before, also when nested or left by an exception.
#include "classlib/WaitCursor.h"

#include "classlib/Wnd.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class WaitCursorTest : public ::testing::Test {
protected:
    void SetUp() override { SetCursor(cross); }

    HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
};

TEST_F(WaitCursorTest, ScopedWaitCursorShowsHourglassAndRestores)
{
    {
        CWaitCursor busy;
        EXPECT_EQ(GetCursor(), wait);
    }
    EXPECT_EQ(GetCursor(), cross);
}

TEST_F(WaitCursorTest, NestedWaitKeepsHourglassUntilTheOutermostEnds)
{
    CWnd window;
    window.BeginWaitCursor();
    {
        CWaitCursor inner;
    }
    EXPECT_EQ(GetCursor(), wait);
    window.EndWaitCursor();
    EXPECT_EQ(GetCursor(), cross);
}

TEST_F(WaitCursorTest, ExceptionLeavingTheScopeRestores)
{
    try {
        CWaitCursor busy;
        throw std::runtime_error("failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(GetCursor(), cross);
}

} // namespace
