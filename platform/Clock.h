#pragma once

#include <cstdint>
#include <optional>

namespace platform {

// The engine's time base: a 32-bit millisecond tick count that wraps after 49.7 days.
// Compare ticks only as differences in unsigned arithmetic (now - then >= interval).
class Clock {
public:
    virtual ~Clock() = default;
    virtual uint32_t ticks() = 0;
    // Waits that long; the waiting thread does nothing meanwhile.
    virtual void sleep(uint32_t ms);
};

// A clock that moves only when told to: the headless back end and tests drive time with it.
class ManualClock : public Clock {
public:
    explicit ManualClock(uint32_t start = 0) : now_(start) {}
    uint32_t ticks() override { return now_; }
    void set(uint32_t ticks) { now_ = ticks; }
    void advance(uint32_t ms) { now_ += ms; }
    // Time passes at once.
    void sleep(uint32_t ms) override { advance(ms); }

private:
    uint32_t now_;
};

// Milliseconds since program start, from the clock in use.
uint32_t tickCount();

// The soonest of several due ticks, compared wrap-safely from the tick given as now.
class SoonestTick {
public:
    explicit SoonestTick(uint32_t now) : now_(now) {}
    // Due once interval ms have passed since the tick `since`: now, if they have.
    void add(uint32_t since, uint32_t interval);
    // Due at that tick (now, if it has passed); none adds nothing.
    void add(std::optional<uint32_t> tick);
    // None while nothing was added.
    std::optional<uint32_t> tick() const;

private:
    void addLeft(uint32_t left);

    uint32_t now_;
    std::optional<uint32_t> left_;
};

// Replaces the clock in use; nullptr restores the monotonic system clock.
// The caller keeps ownership and must restore before the clock is destroyed.
void setClock(Clock* clock);

// Waits that long on the clock in use: a manual clock moves on by that much instead.
void sleepMilliseconds(uint32_t ms);

// The calendar time: seconds since 1 January 1970, UTC. The system's, unless tests fixed it.
int64_t calendarSeconds();
// Fixes the calendar time; none gives the system's back.
void setCalendarSeconds(std::optional<int64_t> seconds);

// The processor's cycle counter (the x86 time-stamp counter); none where there is none.
std::optional<uint64_t> cycleCount();

} // namespace platform
