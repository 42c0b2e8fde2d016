#include "StepClock.h"

#include <algorithm>

void StepClock::restart(uint32_t now)
{
    last_ = now;
    carriedMs_ = 0;
}

StepClock::Step StepClock::advance(uint32_t now)
{
    Step step;
    step.elapsedMs = std::min(now - last_, LONGEST_STEP_MS);
    last_ = now;
    const uint32_t due = carriedMs_ + step.elapsedMs;
    step.subSteps = static_cast<int>(due / SUB_STEP_MS);
    carriedMs_ = due % SUB_STEP_MS;
    return step;
}
