#pragma once

#include "PngReader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

// A box of the screen, its right and bottom edges outside it.
struct ScreenBox {
    int left;
    int top;
    int right;
    int bottom;

    bool holds(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The rays that pulse over the dawn (sample/DrawSunrays.cpp): the pixels the scene's animation
// may cover.
inline constexpr ScreenBox kDawnSunrays{290, 392, 510, 492};

// The PNG file `shown` shows what `expected` does, at the precision of the screen's 5-6-5
// pixels: every channel alike in the bits the screen keeps, but for the pixels of `skipped`.
inline testing::AssertionResult sameAt565(const std::string& shown, const std::string& expected,
                                          std::optional<ScreenBox> skipped = std::nullopt)
{
    const std::optional<DecodedPng> a = readPngFile(shown);
    const std::optional<DecodedPng> b = readPngFile(expected);
    if (!a || !b)
        return testing::AssertionFailure() << (a ? expected : shown) << " does not read as PNG";
    if (a->width != b->width || a->height != b->height)
        return testing::AssertionFailure() << shown << " is " << a->width << " x " << a->height;
    constexpr int kDroppedBits[] = {3, 2, 3};
    int wrong = 0;
    for (size_t i = 0; i < a->rgb.size(); ++i) {
        const int pixel = static_cast<int>(i / 3);
        if (skipped && skipped->holds(pixel % a->width, pixel / a->width))
            continue;
        if (a->rgb[i] >> kDroppedBits[i % 3] != b->rgb[i] >> kDroppedBits[i % 3])
            ++wrong;
    }
    if (wrong > 0)
        return testing::AssertionFailure() << wrong << " channels of " << shown << " differ from " << expected;
    return testing::AssertionSuccess();
}

// The PNG file shows what DrawPicture drew for the scene's background, but for `skipped`.
inline testing::AssertionResult showsBackgroundOf(const std::string& png, const std::string& scene,
                                                  std::optional<ScreenBox> skipped = std::nullopt)
{
    return sameAt565(png, std::string(KESTRUM_SAMPLE_PICTURES) + "/" + scene + ".png", skipped);
}
