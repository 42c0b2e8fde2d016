#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// One reading of a game controller, in the units the engine works in: the first axis from
// -1000 (left) to 1000 (right), the second and third from 0 to 65535 (up or out at 0).
// An axis the controller lacks reads 0.
struct JoystickState {
    std::vector<uint8_t> buttons; // 0x80 while a button is held, else 0
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;

    friend bool operator==(const JoystickState&, const JoystickState&) = default;
};

// The first attached game controller. Main thread only.
class Joystick {
public:
    Joystick() = default;
    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;
    virtual ~Joystick() = default;

    // Takes the first attached controller unless one is held already; true when one is held.
    // One attempt: nothing waits for a controller to come.
    virtual bool acquire() = 0;
    virtual void release() = 0;
    // The held controller's buttons; 0 while none is held.
    virtual int buttonCount() const = 0;
    // The held controller's state; none while none is held. A controller found unplugged is
    // let go, and acquire takes the next one that comes.
    virtual std::optional<JoystickState> poll() = 0;
};

} // namespace platform
