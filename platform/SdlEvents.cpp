#include "platform/SdlEvents.h"

#include "platform/Clock.h"
#include "platform/SdlKeyMap.h"

#include <SDL.h>

namespace platform {

SdlEvents::SdlEvents(const SdlDisplay& display)
    : display_(display)
    , wakeType_(SDL_RegisterEvents(1))
{
}

std::optional<Event> SdlEvents::poll()
{
    SDL_Event event;
    while (pending_.empty() && SDL_PollEvent(&event) != 0)
        translate(event);
    if (pending_.empty())
        return std::nullopt;
    const Event next = pending_.front();
    pending_.pop_front();
    return next;
}

bool SdlEvents::waitUntil(uint32_t dueTick)
{
    while (pending_.empty()) {
        const auto remaining = static_cast<int32_t>(dueTick - tickCount());
        if (remaining <= 0)
            return false;
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, remaining) == 0)
            continue;
        if (event.type == wakeType_)
            return true;
        translate(event);
    }
    return true;
}

void SdlEvents::wake()
{
    SDL_Event event{};
    event.type = wakeType_;
    SDL_PushEvent(&event);
}

void SdlEvents::translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        pending_.push_back(Event::quit());
        break;
    case SDL_WINDOWEVENT:
        translateWindowEvent(event);
        break;
    case SDL_MOUSEMOTION:
        pending_.push_back(Event::mouseMove(clientPoint(event.motion.x, event.motion.y)));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        translateButton(event);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        // A held key is down once, as the keyboard device reads it; SDL's repeats are typing aids.
        if (event.key.repeat == 0) {
            const int key = keyCodeOfSdlScancode(event.key.keysym.scancode);
            if (key != 0)
                pending_.push_back(event.type == SDL_KEYDOWN ? Event::keyDown(key) : Event::keyUp(key));
        }
        break;
    default:
        break;
    }
}

void SdlEvents::translateWindowEvent(const SDL_Event& event)
{
    switch (event.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        pending_.push_back(Event::activate(true));
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        pending_.push_back(Event::activate(false));
        break;
    case SDL_WINDOWEVENT_MOVED:
        pending_.push_back(Event::moved({event.window.data1, event.window.data2}));
        break;
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        pending_.push_back(Event::expose());
        break;
    default:
        break;
    }
}

void SdlEvents::translateButton(const SDL_Event& event)
{
    MouseButton button;
    switch (event.button.button) {
    case SDL_BUTTON_LEFT:
        button = MouseButton::Left;
        break;
    case SDL_BUTTON_MIDDLE:
        button = MouseButton::Middle;
        break;
    case SDL_BUTTON_RIGHT:
        button = MouseButton::Right;
        break;
    default:
        return;
    }
    const Point at = clientPoint(event.button.x, event.button.y);
    if (event.type == SDL_MOUSEBUTTONUP) {
        pending_.push_back(Event::mouseUp(button, at));
        return;
    }
    pending_.push_back(Event::mouseDown(button, at));
    // SDL counts on (third, fourth press); a window hears a double click at every second one.
    if (button == MouseButton::Left && event.button.clicks >= 2 && event.button.clicks % 2 == 0)
        pending_.push_back(Event::doubleClick(at));
}

Point SdlEvents::clientPoint(int windowX, int windowY) const
{
    return display_.letterbox().toLogical({windowX, windowY});
}

} // namespace platform
