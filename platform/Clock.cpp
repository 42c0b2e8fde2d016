#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace platform {
namespace {

class SteadyClock : public Clock {
public:
    uint32_t ticks() override
    {
        auto elapsed = std::chrono::steady_clock::now() - start_;
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
        return static_cast<uint32_t>(ms);
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

SteadyClock& steadyClock()
{
    static SteadyClock clock;
    return clock;
}

Clock* currentClock = nullptr;
std::optional<int64_t> fixedCalendar;

} // namespace

void Clock::sleep(uint32_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t tickCount()
{
    return currentClock ? currentClock->ticks() : steadyClock().ticks();
}

void SoonestTick::add(uint32_t since, uint32_t interval)
{
    const uint32_t elapsed = now_ - since;
    addLeft(elapsed >= interval ? 0 : interval - elapsed);
}

void SoonestTick::add(std::optional<uint32_t> tick)
{
    if (tick)
        addLeft(static_cast<int32_t>(*tick - now_) > 0 ? *tick - now_ : 0);
}

void SoonestTick::addLeft(uint32_t left)
{
    left_ = std::min(left_.value_or(left), left);
}

std::optional<uint32_t> SoonestTick::tick() const
{
    if (!left_)
        return std::nullopt;
    return now_ + *left_;
}

void setClock(Clock* clock)
{
    currentClock = clock;
}

void sleepMilliseconds(uint32_t ms)
{
    if (currentClock != nullptr)
        currentClock->sleep(ms);
    else
        steadyClock().sleep(ms);
}

int64_t calendarSeconds()
{
    if (fixedCalendar)
        return *fixedCalendar;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::seconds>(now).count();
}

void setCalendarSeconds(std::optional<int64_t> seconds)
{
    fixedCalendar = seconds;
}

std::optional<uint64_t> cycleCount()
{
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return std::nullopt;
#endif
}

} // namespace platform
