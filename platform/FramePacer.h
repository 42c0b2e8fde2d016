#pragma once

#include "platform/Events.h"

#include <cstdint>
#include <optional>

namespace platform {

// Paces the frame loop: between frames it sleeps until an event arrives or the next frame
// is due, so input is answered at once and an idle scene costs next to nothing.
class FramePacer {
public:
    static constexpr uint32_t kDefaultPeriodMs = 10;
    // The longest wait for an event where no work is due at all.
    static constexpr uint32_t kLongestIdleMs = 3600 * 1000;

    explicit FramePacer(uint32_t periodMs = kDefaultPeriodMs);

    // Returns when the next frame should run. Frames woken by events come on top of the
    // regular ones; a regular frame that came late is not made up for by a burst.
    void waitForNextFrame(EventSource& events);
    // The same, where the regular frames run only for work: workDue is the tick from which the
    // loop has work that no event brings (none: no such work). The regular frames before it
    // are skipped, the first one at or after it runs; work due by the next regular frame keeps
    // the regular pace.
    void waitForNextFrame(EventSource& events, std::optional<uint32_t> workDue);

private:
    // The first regular frame at or after the tick.
    uint32_t regularFrameFrom(uint32_t tick) const;

    uint32_t period_;
    uint32_t due_ = 0;
    bool scheduled_ = false;
};

} // namespace platform
