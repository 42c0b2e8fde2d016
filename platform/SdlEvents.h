#pragma once

#include "platform/Events.h"
#include "platform/SdlDisplay.h"

#include <deque>

union SDL_Event;

namespace platform {

// SDL's event queue in the engine's terms: mouse places in client coordinates of the logical
// screen, keys as key codes, held keys without SDL's repeats, and window events as the
// engine's window hears them. SDL events the engine has no use for are dropped.
class SdlEvents : public EventSource {
public:
    explicit SdlEvents(const SdlDisplay& display);

    std::optional<Event> poll() override;
    bool waitUntil(uint32_t dueTick) override;
    // An event of our own in SDL's queue, which SDL lets any thread push.
    void wake() override;

private:
    void translate(const SDL_Event& event);
    void translateWindowEvent(const SDL_Event& event);
    void translateButton(const SDL_Event& event);
    Point clientPoint(int windowX, int windowY) const;

    const SdlDisplay& display_;
    const uint32_t wakeType_;
    std::deque<Event> pending_;
};

} // namespace platform
