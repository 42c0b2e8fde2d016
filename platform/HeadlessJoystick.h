#pragma once

#include "platform/Joystick.h"

namespace platform {

// A controller that tests plug in, move and unplug by hand.
class HeadlessJoystick : public Joystick {
public:
    // A controller with that many buttons is attached, at rest: every axis at 0, no button held.
    void plug(int buttons);
    void unplug() { attached_ = false; }
    // What the attached controller reads from now on.
    void setState(const JoystickState& state) { state_ = state; }
    const JoystickState& state() const { return state_; }

    bool acquire() override;
    void release() override { held_ = false; }
    int buttonCount() const override { return held_ ? static_cast<int>(state_.buttons.size()) : 0; }
    std::optional<JoystickState> poll() override;

private:
    bool attached_ = false;
    bool held_ = false;
    JoystickState state_;
};

} // namespace platform
