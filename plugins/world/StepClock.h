#pragma once

#include <cstdint>

// Turns clock ticks into the world's fixed sub-steps: the time since the last step, held at
// a largest step so a stalled frame does not fling bodies, and a remainder shorter than a
// sub-step carried to the next call so no time is lost at any frame rate.
class StepClock {
public:
    static constexpr uint32_t SUB_STEP_MS = 5;
    static constexpr uint32_t LONGEST_STEP_MS = 100;
    static constexpr float SUB_STEP_SECONDS = SUB_STEP_MS / 1000.0f;

    struct Step {
        uint32_t elapsedMs = 0;
        int subSteps = 0;
    };

    // The next step starts counting at now; the carried remainder is dropped.
    void restart(uint32_t now);
    // The time since the last step or restart (wrap-safe) and the sub-steps it makes.
    Step advance(uint32_t now);

private:
    uint32_t last_ = 0;
    uint32_t carriedMs_ = 0;
};
