#include "platform/Letterbox.h"

#include <gtest/gtest.h>

using platform::Letterbox;
using platform::Point;
using platform::Rect;

TEST(Letterbox, FitsTheLogicalScreenCentredWithItsProportions)
{
    struct Case {
        int outputWidth;
        int outputHeight;
        Rect viewport;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600}},
        {1600, 1200, {0, 0, 1600, 1200}},
        {1920, 1080, {240, 0, 1680, 1080}}, // bars left and right
        {800, 1000, {0, 200, 800, 800}},    // bars above and below
        {1000, 600, {100, 0, 900, 600}},
        {400, 300, {0, 0, 400, 300}},
        {0, 0, {}}, // a minimised window
    };
    for (const Case& c : cases)
        EXPECT_EQ(Letterbox(800, 600, c.outputWidth, c.outputHeight).viewport(), c.viewport)
            << c.outputWidth << " x " << c.outputHeight;
}

TEST(Letterbox, TurnsPointsBetweenWindowAndClientCoordinates)
{
    struct Case {
        int outputWidth;
        int outputHeight;
        Point output;
        Point logical;
    };
    const Case cases[] = {
        {800, 600, {0, 0}, {0, 0}},
        {800, 600, {799, 599}, {799, 599}},
        {1920, 1080, {240, 0}, {0, 0}},
        {1920, 1080, {1679, 1079}, {799, 599}},
        {1920, 1080, {960, 540}, {400, 300}},
        {1920, 1080, {239, 10}, {-1, 5}},      // in the bar left of the screen
        {1920, 1080, {1680, 1080}, {800, 600}}, // just past the bottom-right corner
        {400, 300, {1, 1}, {2, 2}},
        {0, 0, {7, 9}, {7, 9}}, // no area: nothing to scale by
    };
    for (const Case& c : cases) {
        const Letterbox box(800, 600, c.outputWidth, c.outputHeight);
        EXPECT_EQ(box.toLogical(c.output), c.logical) << c.output.x << "," << c.output.y;
    }

    const Letterbox wide(800, 600, 1920, 1080);
    EXPECT_EQ(wide.toOutput(Point{400, 300}), (Point{960, 540}));
    EXPECT_EQ(wide.toOutput(Rect{0, 0, 800, 600}), wide.viewport());
    for (const Point p : {Point{0, 0}, Point{123, 456}, Point{799, 599}})
        EXPECT_EQ(wide.toLogical(wide.toOutput(p)), p);
}
