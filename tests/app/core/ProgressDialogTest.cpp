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

DWORD g_now = 0;
DWORD FakeNow()
{
    return g_now;
}

// The clock of the dialogs made while it lives: it starts at `start` and moves only when told.
class FakeClock
{
public:
    explicit FakeClock(DWORD start) : m_previous(SetProgressClock(FakeNow)) { g_now = start; }
    ~FakeClock() { SetProgressClock(m_previous); }

private:
    ProgressClock m_previous;
};

// The show decision is taken at the first SetPos more than 500 ms after construction, once, on the work
// done at the SetPos before it.
TEST(ProgressDialog, ShownOnlyForSlowWorkThatWasNotFarAlongWhenTheTimeRanOut)
{
    struct Step
    {
        DWORD ms; // since construction
        int pos;
    };
    const struct Case
    {
        const char* what;
        int lower, upper;
        DWORD start;
        std::vector<Step> steps;
        BOOL shown;
    } cases[] = {
        {"ends within 500 ms", 0, 100, 1000, {{100, 10}, {300, 50}, {500, 100}}, FALSE},
        {"first call after 500 ms", 0, 100, 1000, {{501, 100}}, TRUE},
        {"below 20 % before, past it now", 0, 100, 1000, {{100, 19}, {600, 90}}, TRUE},
        {"at 20 % when the time ran out", 0, 100, 1000, {{100, 20}, {600, 21}}, FALSE},
        {"at 25 % then slow for long", 0, 100, 1000, {{100, 25}, {600, 26}, {5000, 27}, {9000, 28}}, FALSE},
        {"decided once", 0, 100, 1000, {{100, 5}, {600, 6}, {700, 50}}, TRUE},
        {"from a non-zero lower bound", 50, 150, 1000, {{100, 69}, {600, 70}}, TRUE},
        {"empty range", 5, 5, 1000, {{600, 5}, {900, 5}}, FALSE},
        {"ticks wrap", 0, 100, 0xFFFFFF00u, {{100, 1}, {700, 2}}, TRUE},
    };
    for (const Case& c : cases) {
        FakeClock clock(c.start);
        ProgressDialog progress(c.lower, c.upper, 0);
        for (const Step& step : c.steps) {
            g_now = c.start + step.ms;
            progress.SetPos(step.pos);
        }
        EXPECT_EQ(c.shown, ScriptedProgressDisplay::WasShown()) << c.what;
    }
}

} // namespace
