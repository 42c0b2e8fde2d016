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
    waitForNextFrame(events, tickCount());
}

void FramePacer::waitForNextFrame(EventSource& events, std::optional<uint32_t> workDue)
{
    uint32_t now = tickCount();
    if (!scheduled_) {
        due_ = now + period_;
        scheduled_ = true;
    }
    // Work due already runs at the regular frame, a late one at once.
    const uint32_t work = workDue.value_or(now + kLongestIdleMs);
    const uint32_t wakeAt = isAhead(work, now) ? regularFrameFrom(work) : due_;
    if (isAhead(wakeAt, now) && events.waitUntil(wakeAt)) {
        // The regular frames skipped while nothing was due stay skipped.
        if (wakeAt != due_)
            due_ = regularFrameFrom(tickCount() + 1);
        return;
    }
    now = tickCount();
    due_ = wakeAt + period_;
    if (!isAhead(due_, now))
        due_ = now + period_;
}

uint32_t FramePacer::regularFrameFrom(uint32_t tick) const
{
    if (!isAhead(tick, due_))
        return due_;
    if (period_ == 0)
        return tick;
    return due_ + (tick - due_ + period_ - 1) / period_ * period_;
}

} // namespace platform
