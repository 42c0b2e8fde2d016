#include "platform/KeyCodes.h"
#include "platform/SdlKeyMap.h"

#include <SDL.h>
#include <gtest/gtest.h>

using namespace platform::key;

TEST(SdlKeyMap, ScancodesGiveTheKeysOfTheirPlace)
{
    const std::pair<int, int> pairs[] = {
        {SDL_SCANCODE_ESCAPE, Escape},     {SDL_SCANCODE_KP_7, Numpad7},       {SDL_SCANCODE_KP_0, Numpad0},
        {SDL_SCANCODE_KP_ENTER, NumpadEnter}, {SDL_SCANCODE_RCTRL, RightControl}, {SDL_SCANCODE_RALT, RightAlt},
        {SDL_SCANCODE_HOME, Home},         {SDL_SCANCODE_DELETE, Delete},      {SDL_SCANCODE_Y, Y},
        {SDL_SCANCODE_Z, Z},               {SDL_SCANCODE_AUDIOMUTE, 0},        {-1, 0},
        {SDL_NUM_SCANCODES, 0},
    };
    for (const auto& [scancode, key] : pairs)
        EXPECT_EQ(platform::keyCodeOfSdlScancode(scancode), key) << scancode;
}
