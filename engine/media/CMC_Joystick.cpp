#include "media/CMC_Joystick.h"

#include "media/MediaWindow.h"
#include "platform/Backend.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"

#include <cstdlib>

CMC_Joystick* CMC_Joystick::singleton_ = nullptr;

namespace {

bool largerThan(int32_t a, int32_t b, int threshold)
{
    return std::llabs(static_cast<long long>(a) - b) > threshold;
}

} // namespace

CMC_Joystick::CMC_Joystick(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("JOYSTICK"), TYPE)
    , window_(container != nullptr ? MediaWindow::of(container->getWindow()) : nullptr)
{
    setScene(container);
    singleton_ = this;
    if (window_ != nullptr && window_->getBackend() != nullptr)
        device_ = &window_->getBackend()->joystick();
    if (device_ != nullptr && device_->acquire())
        buttons_.assign(static_cast<size_t>(device_->buttonCount()), 0);
}

CMC_Joystick::CMC_Joystick(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Joystick(container)
{
    initializeBehaviours(container, element);
}

CMC_Joystick::~CMC_Joystick()
{
    flushSignals(false);
    // An older JOYSTICK that outlives this one is not the one the window ticks; a newer one
    // keeps its place and its controller.
    if (singleton_ == this) {
        singleton_ = nullptr;
        if (device_ != nullptr)
            device_->release();
    }
}

const CMC_SignalList* CMC_Joystick::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONBUTTONUP", "ONBUTTONDOWN", "ONMOVE"};
    return &signals;
}

bool CMC_Joystick::getButtonState(int n) const
{
    return n >= 0 && n < static_cast<int>(buttons_.size()) && buttons_[static_cast<size_t>(n)] != 0;
}

int CMC_Joystick::getAxis(int i) const
{
    switch (i) {
    case 0: return lastX_;
    case 1: return lastY_;
    case 2: return lastZ_;
    default: return -1;
    }
}

void CMC_Joystick::tick()
{
    if (device_ == nullptr || !device_->acquire())
        return;
    const std::optional<platform::JoystickState> state = device_->poll();
    if (!state)
        return;
    // Another controller may have come in the place of the first.
    buttons_.resize(state->buttons.size(), 0);
    for (size_t n = 0; n < buttons_.size(); ++n) {
        const bool held = (state->buttons[n] & 0x80) != 0;
        if (held != (buttons_[n] != 0))
            queue_.push_back({held ? Event::BUTTON_DOWN : Event::BUTTON_UP, static_cast<int>(n), nullptr, nullptr});
        buttons_[n] = held ? 1 : 0;
    }
    if (largerThan(lastX_, state->x, kFirstAxisThreshold)) {
        queue_.push_back({Event::MOVE, 0, "X", state->x > 5 ? "RIGHT" : "LEFT"});
        lastX_ = state->x;
    }
    pollSlowAxis(state->y, lastY_, counterY_, "Y", "DOWN", "UP");
    pollSlowAxis(state->z, lastZ_, counterZ_, "Z", "IN", "OUT");
}

void CMC_Joystick::pollSlowAxis(int32_t value, int32_t& last, int& counter, const char* axis, const char* more,
                                const char* less)
{
    if (!largerThan(last, value, kOtherAxisThreshold)) {
        counter = 0;
        return;
    }
    if (++counter > kSlowAxisPolls) {
        queue_.push_back({Event::MOVE, 0, axis, value > 0 ? more : less});
        last = value;
    }
}

void CMC_Joystick::flushSignals(bool deliver)
{
    // Handlers run scripts, which may end up here again: the queue is taken first.
    const std::vector<Event> events = std::move(queue_);
    queue_.clear();
    if (deliver)
        for (const Event& event : events)
            raise(event);
}

void CMC_Joystick::raise(const Event& event)
{
    switch (event.kind) {
    case Event::BUTTON_DOWN:
        if (!onSignal("ONBUTTONDOWN^" + CXString::toString(event.button)))
            onSignal(CXString("ONBUTTONDOWN"));
        return;
    case Event::BUTTON_UP:
        if (!onSignal("ONBUTTONUP^" + CXString::toString(event.button)))
            onSignal(CXString("ONBUTTONUP"));
        return;
    case Event::MOVE:
        if (!onSignal(CXString("ONMOVE^") + event.axis) && !onSignal(CXString("ONMOVE^") + event.direction))
            onSignal(CXString("ONMOVE"));
        return;
    }
}
