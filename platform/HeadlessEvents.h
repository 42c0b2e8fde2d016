#pragma once

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/HeadlessCursors.h"

#include <deque>

namespace platform {

// Events that tests inject. Waiting with nothing injected moves a manual clock straight to
// the due tick; on the system clock it sleeps.
class HeadlessEvents : public EventSource {
public:
    // The pointer follows the mouse events as they are taken; manualClock may be null.
    HeadlessEvents(HeadlessCursors& cursors, ManualClock* manualClock);

    void inject(const Event& event) { queue_.push_back(event); }
    size_t pending() const { return queue_.size(); }

    std::optional<Event> poll() override;
    bool waitUntil(uint32_t dueTick) override;

private:
    HeadlessCursors& cursors_;
    ManualClock* manualClock_;
    std::deque<Event> queue_;
};

} // namespace platform
