#include "platform/Clock.h"

#include <chrono>

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

} // namespace

uint32_t tickCount()
{
    return currentClock ? currentClock->ticks() : steadyClock().ticks();
}

void setClock(Clock* clock)
{
    currentClock = clock;
}

} // namespace platform
