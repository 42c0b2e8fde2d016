#pragma once

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/HeadlessCursors.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace platform {

// Events that tests inject. Waiting with nothing injected moves a manual clock straight to
// the due tick; on the system clock it sleeps, unless a wake ends it.
class HeadlessEvents : public EventSource {
public:
    // The pointer follows the mouse events as they are taken; manualClock may be null.
    HeadlessEvents(HeadlessCursors& cursors, ManualClock* manualClock);

    void inject(const Event& event) { queue_.push_back(event); }
    size_t pending() const { return queue_.size(); }

    std::optional<Event> poll() override;
    bool waitUntil(uint32_t dueTick) override;
    void wake() override;

private:
    // Whether a wake came since the last wait, which it ends; the wake is then taken.
    bool takeWake();

    HeadlessCursors& cursors_;
    ManualClock* manualClock_;
    std::deque<Event> queue_;
    std::mutex wakeMutex_;
    std::condition_variable woken_;
    bool wakePending_ = false;
};

} // namespace platform
