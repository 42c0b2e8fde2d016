#include "platform/HeadlessJoystick.h"

namespace platform {

void HeadlessJoystick::plug(int buttons)
{
    attached_ = true;
    state_ = JoystickState{};
    state_.buttons.assign(static_cast<size_t>(buttons > 0 ? buttons : 0), 0);
}

bool HeadlessJoystick::acquire()
{
    held_ = held_ || attached_;
    return held_;
}

std::optional<JoystickState> HeadlessJoystick::poll()
{
    if (held_ && !attached_)
        held_ = false;
    if (!held_)
        return std::nullopt;
    return state_;
}

} // namespace platform
