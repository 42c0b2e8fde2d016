#include "platform/HeadlessEvents.h"

#include <chrono>
#include <utility>

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
    if (!queue_.empty() || takeWake())
        return true;
    const uint32_t now = manualClock_ != nullptr ? manualClock_->ticks() : tickCount();
    const auto remaining = static_cast<int32_t>(dueTick - now);
    if (remaining <= 0)
        return false;
    if (manualClock_ != nullptr) {
        manualClock_->set(dueTick);
        return false;
    }
    std::unique_lock<std::mutex> lock(wakeMutex_);
    woken_.wait_for(lock, std::chrono::milliseconds(remaining), [this] { return wakePending_; });
    return std::exchange(wakePending_, false);
}

void HeadlessEvents::wake()
{
    {
        const std::lock_guard<std::mutex> lock(wakeMutex_);
        wakePending_ = true;
    }
    woken_.notify_all();
}

bool HeadlessEvents::takeWake()
{
    const std::lock_guard<std::mutex> lock(wakeMutex_);
    return std::exchange(wakePending_, false);
}

} // namespace platform
