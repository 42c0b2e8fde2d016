#include "platform/FramePacer.h"

#include "platform/Clock.h"

namespace platform {
namespace {

// Wrap-safe: true when tick lies after now (within half the tick range).
bool isAhead(uint32_t tick, uint32_t now)
{
    return static_cast<int32_t>(tick - now) > 0;
}

} // namespace

FramePacer::FramePacer(uint32_t periodMs)
    : period_(periodMs)
{
}

void FramePacer::waitForNextFrame(EventSource& events)
{
    uint32_t now = tickCount();
    if (!scheduled_) {
        due_ = now + period_;
        scheduled_ = true;
    }
    if (isAhead(due_, now) && events.waitUntil(due_))
        return;
    now = tickCount();
    due_ += period_;
    if (!isAhead(due_, now))
        due_ = now + period_;
}

} // namespace platform
