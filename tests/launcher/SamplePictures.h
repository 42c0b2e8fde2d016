#pragma once

#include "PngReader.h"

#include <gtest/gtest.h>

#include <string>

// The PNG file shows what ImageMagick drew for the scene's background, at the precision of
// the screen's 5-6-5 pixels: every channel alike in the bits the screen keeps.
inline testing::AssertionResult showsBackgroundOf(const std::string& png, const std::string& scene)
{
    const std::optional<DecodedPng> shown = readPngFile(png);
    const std::optional<DecodedPng> drawn = readPngFile(std::string(KESTRUM_SAMPLE_PICTURES) + "/" + scene + ".png");
    if (!shown || !drawn)
        return testing::AssertionFailure() << (shown ? "the background" : png) << " does not read as PNG";
    if (shown->width != drawn->width || shown->height != drawn->height)
        return testing::AssertionFailure() << png << " is " << shown->width << " x " << shown->height;
    constexpr int kDroppedBits[] = {3, 2, 3};
    int wrong = 0;
    for (size_t i = 0; i < shown->rgb.size(); ++i)
        if (shown->rgb[i] >> kDroppedBits[i % 3] != drawn->rgb[i] >> kDroppedBits[i % 3])
            ++wrong;
    if (wrong > 0)
        return testing::AssertionFailure() << wrong << " channels of " << png << " differ from " << scene;
    return testing::AssertionSuccess();
}
