#include "platform/SdlJoystick.h"

#include "platform/DebugOutput.h"

#include <SDL.h>

#include <string>

namespace platform {

SdlJoystick::~SdlJoystick()
{
    release();
    if (subsystem_ == Subsystem::Started)
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool SdlJoystick::startSubsystem()
{
    if (subsystem_ == Subsystem::NotTried) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0) {
            subsystem_ = Subsystem::Started;
            SDL_JoystickEventState(SDL_IGNORE);
        } else {
            subsystem_ = Subsystem::Failed;
            debugOutput((std::string("SDL joystick: ") + SDL_GetError() + "\n").c_str());
        }
    }
    return subsystem_ == Subsystem::Started;
}

bool SdlJoystick::acquire()
{
    if (joystick_ != nullptr)
        return true;
    if (!startSubsystem())
        return false;
    // Finds controllers plugged in since the last look.
    SDL_JoystickUpdate();
    if (SDL_NumJoysticks() < 1)
        return false;
    joystick_ = SDL_JoystickOpen(0);
    return joystick_ != nullptr;
}

void SdlJoystick::release()
{
    if (joystick_ != nullptr)
        SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
}

int SdlJoystick::buttonCount() const
{
    return joystick_ != nullptr ? SDL_JoystickNumButtons(joystick_) : 0;
}

int32_t SdlJoystick::firstAxis(int16_t value)
{
    // -32768 gives -1000, 0 gives 0 and 32767 gives 1000.
    return (static_cast<int32_t>(value) + 32768) * 2000 / 65535 - 1000;
}

int32_t SdlJoystick::otherAxis(int16_t value)
{
    return static_cast<int32_t>(value) + 32768;
}

std::optional<JoystickState> SdlJoystick::poll()
{
    if (joystick_ == nullptr)
        return std::nullopt;
    SDL_JoystickUpdate();
    if (SDL_JoystickGetAttached(joystick_) == SDL_FALSE) {
        release();
        return std::nullopt;
    }
    JoystickState state;
    const int buttons = SDL_JoystickNumButtons(joystick_);
    for (int i = 0; i < buttons; ++i)
        state.buttons.push_back(SDL_JoystickGetButton(joystick_, i) != 0 ? 0x80 : 0);
    const int axes = SDL_JoystickNumAxes(joystick_);
    if (axes > 0)
        state.x = firstAxis(SDL_JoystickGetAxis(joystick_, 0));
    if (axes > 1)
        state.y = otherAxis(SDL_JoystickGetAxis(joystick_, 1));
    if (axes > 2)
        state.z = otherAxis(SDL_JoystickGetAxis(joystick_, 2));
    return state;
}

} // namespace platform
