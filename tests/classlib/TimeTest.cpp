#include "classlib/Time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <thread>

TEST(TimeTest, LocalFieldsRoundTripAndArithmetic)
{
    CTime t(2004, 2, 29, 13, 45, 10);
    EXPECT_EQ(t.GetYear(), 2004);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 45);
    EXPECT_EQ(t.GetSecond(), 10);
    EXPECT_EQ(t.GetDayOfWeek(), 1); // a Sunday
    EXPECT_STREQ(t.Format("%Y-%m-%d %H:%M:%S"), "2004-02-29 13:45:10");

    CTime next = t + CTimeSpan(1, 2, 3, 4);
    EXPECT_EQ((next - t).GetTotalSeconds(), 86400 + 2 * 3600 + 3 * 60 + 4);
    CTimeSpan span = next - t;
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 2);
    EXPECT_EQ(span.GetMinutes(), 3);
    EXPECT_EQ(span.GetSeconds(), 4);
    EXPECT_TRUE(t < next);
}

TEST(TimeTest, SecondsSince1970InUtc)
{
    CTime t(int64_t(1000000000));
    EXPECT_STREQ(t.FormatGmt("%Y-%m-%d %H:%M:%S"), "2001-09-09 01:46:40");
    EXPECT_EQ(DWORD(t.GetTime()), 1000000000u);
    EXPECT_GT(CTime::GetCurrentTime().GetTime(), 1000000000);
}

// The clock is read from the system's time directly; it must agree with the
// C runtime's seconds since 1970.
TEST(TimeTest, CurrentTimeIsTheRuntimesSecondsSince1970)
{
    const int64_t before = static_cast<int64_t>(std::time(nullptr));
    const int64_t now = CTime::GetCurrentTime().GetTime();
    const int64_t after = static_cast<int64_t>(std::time(nullptr));
    EXPECT_GE(now, before);
    EXPECT_LE(now, after + 1);
}

// The tick count is a millisecond clock: across a pause it moves by the
// pause, within the timer resolution of the system (about 16 ms on Windows).
TEST(TimeTest, TickCountMovesByTheMillisecondsThatPass)
{
    using namespace std::chrono;
    const DWORD resolution = 20;
    const auto outerStart = steady_clock::now();
    const DWORD first = GetTickCount();
    std::this_thread::sleep_for(milliseconds(100));
    const DWORD last = GetTickCount();
    const long long outer = duration_cast<milliseconds>(steady_clock::now() - outerStart).count();

    const DWORD ticks = last - first; // wraps at 2^32 like the count itself
    EXPECT_GE(ticks, 100 - resolution);
    EXPECT_LE(ticks, DWORD(outer) + resolution);
}
