#pragma once

#include "platform/Joystick.h"

struct _SDL_Joystick;

namespace platform {

// The first of SDL's joysticks. SDL's joystick subsystem starts with the first acquire, so a
// program without a joystick object never scans for devices. Its events are switched off:
// each poll reads the device itself.
class SdlJoystick : public Joystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick() override;

    bool acquire() override;
    void release() override;
    int buttonCount() const override;
    std::optional<JoystickState> poll() override;

    // SDL's axis values (-32768 to 32767) in the engine's units.
    static int32_t firstAxis(int16_t value);
    static int32_t otherAxis(int16_t value);

private:
    bool startSubsystem();

    enum class Subsystem { NotTried, Started, Failed };
    Subsystem subsystem_ = Subsystem::NotTried;
    _SDL_Joystick* joystick_ = nullptr;
};

} // namespace platform
