#include "plugins/world/StepClock.h"

#include <gtest/gtest.h>

TEST(StepClock, CountsSubStepsCarriesTheRestAndHoldsLongGaps)
{
    struct Case {
        uint32_t now;
        uint32_t elapsedMs;
        int subSteps;
    };
    const uint32_t start = 0xFFFFFFF0u; // the tick count wraps on the way
    const Case cases[] = {
        {start + 10, 10, 2},  // whole sub-steps
        {start + 17, 7, 1},   // 2 ms carried
        {start + 20, 3, 1},   // the carried 2 ms make a sub-step with these 3
        {start + 20, 0, 0},   // no time, no step
        {start + 270, 100, 20}, // a stalled frame counts as the longest step
    };
    StepClock clock;
    clock.restart(start);
    for (const Case& c : cases) {
        const StepClock::Step step = clock.advance(c.now);
        EXPECT_EQ(step.elapsedMs, c.elapsedMs) << c.now - start;
        EXPECT_EQ(step.subSteps, c.subSteps) << c.now - start;
    }
}

TEST(StepClock, RestartDropsTheCarriedRemainder)
{
    StepClock clock;
    clock.restart(0);
    EXPECT_EQ(clock.advance(4).subSteps, 0);
    clock.restart(100);
    EXPECT_EQ(clock.advance(104).subSteps, 0);
}
