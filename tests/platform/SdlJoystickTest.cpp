#include "platform/SdlJoystick.h"

#include <SDL.h>
#include <gtest/gtest.h>

using platform::JoystickState;
using platform::SdlJoystick;

// SDL's axes in the engine's units: the first from -1000 to 1000, the others from 0 to 65535.
TEST(SdlJoystick, AxesAreScaledToTheEnginesRanges)
{
    const struct {
        int16_t sdl;
        int32_t first;
        int32_t other;
    } cases[] = {
        {-32768, -1000, 0}, {-16384, -500, 16384}, {0, 0, 32768}, {1, 0, 32769}, {16384, 500, 49152}, {32767, 1000, 65535},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SdlJoystick::firstAxis(c.sdl), c.first) << c.sdl;
        EXPECT_EQ(SdlJoystick::otherAxis(c.sdl), c.other) << c.sdl;
    }
}

// A virtual SDL joystick stands for a controller that is plugged in, moved and pulled out.
TEST(SdlJoystick, ReadsTheFirstControllerAndLetsGoWhenItIsUnplugged)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    if (SDL_NumJoysticks() > 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        GTEST_SKIP() << "a real controller is attached";
    }
    {
        SdlJoystick joystick;
        EXPECT_FALSE(joystick.acquire());
        EXPECT_EQ(joystick.poll(), std::nullopt);

        const int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 3, 5, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        SDL_Joystick* device = SDL_JoystickOpen(index);
        ASSERT_NE(device, nullptr) << SDL_GetError();
        ASSERT_TRUE(joystick.acquire());
        EXPECT_EQ(joystick.buttonCount(), 5);

        SDL_JoystickSetVirtualAxis(device, 0, 32767);
        SDL_JoystickSetVirtualAxis(device, 1, -32768);
        SDL_JoystickSetVirtualAxis(device, 2, 0);
        SDL_JoystickSetVirtualButton(device, 3, SDL_PRESSED);
        const std::optional<JoystickState> state = joystick.poll();
        ASSERT_TRUE(state.has_value());
        EXPECT_EQ(*state, (JoystickState{{0, 0, 0, 0x80, 0}, 1000, 0, 32768}));

        SDL_JoystickClose(device);
        SDL_JoystickDetachVirtual(index);
        EXPECT_EQ(joystick.poll(), std::nullopt);
        EXPECT_EQ(joystick.buttonCount(), 0);
        EXPECT_FALSE(joystick.acquire());
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}
