#pragma once

#include <cstdint>

namespace platform {

// The engine's time base: a 32-bit millisecond tick count that wraps after 49.7 days.
// Compare ticks only as differences in unsigned arithmetic (now - then >= interval).
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t ticks() = 0;
};

// A clock that moves only when told to: the headless back end and tests drive time with it.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : now_(start) {}
    uint32_t ticks() override { return now_; }
    void set(uint32_t ticks) { now_ = ticks; }
    void advance(uint32_t ms) { now_ += ms; }

private:
    uint32_t now_;
};

// Milliseconds since program start, from the clock in use.
uint32_t tickCount();

// Replaces the clock in use; nullptr restores the monotonic system clock.
// The caller keeps ownership and must restore before the clock is destroyed.
void setClock(Clock* clock);

} // namespace platform
