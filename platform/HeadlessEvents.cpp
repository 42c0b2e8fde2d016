#include "platform/HeadlessEvents.h"

#include <chrono>
#include <thread>

namespace platform {

HeadlessEvents::HeadlessEvents(HeadlessCursors& cursors, ManualClock* manualClock)
    : cursors_(cursors)
    , manualClock_(manualClock)
{
}

std::optional<Event> HeadlessEvents::poll()
{
    if (queue_.empty())
        return std::nullopt;
    const Event event = queue_.front();
    queue_.pop_front();
    if (event.isMouse())
        cursors_.moveTo(event.position);
    return event;
}

bool HeadlessEvents::waitUntil(uint32_t dueTick)
{
    if (!queue_.empty())
        return true;
    const uint32_t now = manualClock_ != nullptr ? manualClock_->ticks() : tickCount();
    const auto remaining = static_cast<int32_t>(dueTick - now);
    if (remaining <= 0)
        return false;
    if (manualClock_ != nullptr)
        manualClock_->set(dueTick);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(remaining));
    return false;
}

} // namespace platform
