#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(Clock, SleepingOnAManualClockMovesItOnAtOnce)
{
    platform::ManualClock clock(100);
    platform::setClock(&clock);
    const auto before = std::chrono::steady_clock::now();
    platform::sleepMilliseconds(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    EXPECT_EQ(platform::tickCount(), 60100u);
    platform::setClock(nullptr);
}

TEST(Clock, TheCalendarIsTheSystemsUnlessFixed)
{
    const int64_t now = platform::calendarSeconds();
    EXPECT_GT(now, 1600000000);
    platform::setCalendarSeconds(1083920707);
    EXPECT_EQ(platform::calendarSeconds(), 1083920707);
    platform::setCalendarSeconds(std::nullopt);
    EXPECT_GE(platform::calendarSeconds(), now);
}
