// The progress dialog's contract, through the scripted display.
#include "app/core/ProgressDialog.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressDialog, SetPosAnswersFalseFromTheStopOnAndScalesTheBar)
{
    ScriptedProgressDisplay::StopAtCall(3);
    ProgressDialog progress(10, 20, 0);
    EXPECT_TRUE(progress.SetPos(10));
    EXPECT_TRUE(progress.SetPos(15));
    EXPECT_FALSE(progress.SetPos(16));
    EXPECT_FALSE(progress.SetPos(17)); // stays stopped
    EXPECT_EQ((std::vector<int>{0, 5000, 6000, 7000}), ScriptedProgressDisplay::RecordedPositions());
}

TEST(ProgressDialog, WithoutAScriptStopIsNeverPressed)
{
    ProgressDialog progress(0, 3, 0);
    for (int i = 0; i <= 3; ++i)
        EXPECT_TRUE(progress.SetPos(i));
}

TEST(ProgressDialog, ScaleClampsAndSurvivesEmptyAndWideRanges)
{
    ProgressDialog wide(-2000000000, 2000000000, 0);
    EXPECT_EQ(0, wide.Scale(-2000000000));
    EXPECT_EQ(5000, wide.Scale(0));
    EXPECT_EQ(10000, wide.Scale(2000000000));
    ProgressDialog empty(5, 5, 0);
    EXPECT_EQ(0, empty.Scale(5));
    ProgressDialog normal(0, 100, 0);
    EXPECT_EQ(0, normal.Scale(-5));
    EXPECT_EQ(10000, normal.Scale(500));
}

TEST(ProgressDialog, ShownOnlyForSlowWorkThatIsNotYetFarAlong)
{
    EXPECT_FALSE(ProgressDialog::ShouldShow(500, 0));
    EXPECT_TRUE(ProgressDialog::ShouldShow(501, 0));
    EXPECT_TRUE(ProgressDialog::ShouldShow(501, 1999));
    EXPECT_FALSE(ProgressDialog::ShouldShow(501, 2000));
    EXPECT_FALSE(ProgressDialog::ShouldShow(10000, 9000));
}

} // namespace
