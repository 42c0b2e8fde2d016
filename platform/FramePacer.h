#pragma once

#include "platform/Events.h"

#include <cstdint>

namespace platform {

// Paces the frame loop: between frames it sleeps until an event arrives or the next frame
// is due, so input is answered at once and an idle scene costs next to nothing.
class FramePacer {
public:
    static constexpr uint32_t kDefaultPeriodMs = 10;

    explicit FramePacer(uint32_t periodMs = kDefaultPeriodMs);

    // Returns when the next frame should run. Frames woken by events come on top of the
    // regular ones; a regular frame that came late is not made up for by a burst.
    void waitForNextFrame(EventSource& events);

private:
    uint32_t period_;
    uint32_t due_ = 0;
    bool scheduled_ = false;
};

} // namespace platform
