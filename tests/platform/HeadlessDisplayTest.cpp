#include "platform/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include <vector>

using platform::DisplayMode;
using platform::DisplayResult;
using platform::HeadlessDisplay;
using platform::PixelView;
using platform::Rect;

namespace {

// A frame in memory whose pixel at (x, y) is x + 1000 * y (as far as 16 bits go), so any pixel
// shows where it came from. Rows carry padding, as surfaces in memory may.
struct Frame {
    int width;
    int height;
    int stride; // in pixels
    std::vector<uint16_t> pixels;

    Frame(int w, int h)
        : width(w), height(h), stride(w + 3), pixels(static_cast<size_t>(stride) * h)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[static_cast<size_t>(y) * stride + x] = static_cast<uint16_t>(x + 1000 * y);
    }
    PixelView view() const { return {pixels.data(), width, height, stride * 2}; }
    uint16_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * stride + x]; }
};

DisplayMode windowed(int bitsPerPixel = 16)
{
    DisplayMode mode;
    mode.width = 40;
    mode.height = 30;
    mode.bitsPerPixel = bitsPerPixel;
    return mode;
}

} // namespace

TEST(HeadlessDisplay, OpensAt16Or15BitsAndRefusesWhatItLacks)
{
    struct Case {
        int width;
        int height;
        int bitsPerPixel;
        int refusedDepth;
        DisplayResult result;
    };
    const Case cases[] = {
        {800, 600, 16, 0, DisplayResult::Ok},
        {800, 600, 15, 0, DisplayResult::Ok},
        {800, 600, 16, 16, DisplayResult::DepthRefused},
        {800, 600, 15, 16, DisplayResult::Ok},
        {800, 600, 24, 0, DisplayResult::UnsupportedMode},
        {800, 600, 32, 0, DisplayResult::UnsupportedMode},
        {0, 600, 16, 0, DisplayResult::UnsupportedMode},
        {800, -1, 16, 0, DisplayResult::UnsupportedMode},
    };
    for (const Case& c : cases) {
        HeadlessDisplay display;
        display.refuseDepth(c.refusedDepth);
        DisplayMode mode;
        mode.width = c.width;
        mode.height = c.height;
        mode.bitsPerPixel = c.bitsPerPixel;
        EXPECT_EQ(display.open(mode), c.result) << c.width << "x" << c.height << "x" << c.bitsPerPixel;
        EXPECT_EQ(display.isOpen(), c.result == DisplayResult::Ok);
    }

    // The retry at 15 bits after a refused 16 gives a 5-5-5 display.
    HeadlessDisplay display;
    display.refuseDepth(16);
    ASSERT_NE(display.open(windowed(16)), DisplayResult::Ok);
    ASSERT_EQ(display.open(windowed(15)), DisplayResult::Ok);
    EXPECT_EQ(display.mode().bitsPerPixel, 15);
    EXPECT_EQ(display.screen().width(), 40);
    EXPECT_EQ(display.screen().height(), 30);
}

TEST(HeadlessDisplay, PresentsOnlyTheChangedRectanglesClippedToFrameAndScreen)
{
    HeadlessDisplay display;
    ASSERT_EQ(display.open(windowed()), DisplayResult::Ok);
    const Frame frame(50, 20); // wider and lower than the screen

    const Rect rects[] = {
        {2, 3, 6, 5},      // inside both
        {35, 10, 45, 12},  // runs past the screen's right edge
        {10, 18, 12, 25},  // runs past the frame's bottom edge
        {5, 5, 5, 9},      // no width
        {-10, -10, -1, 4}, // wholly outside
    };
    display.present(frame.view(), rects);

    ASSERT_EQ(display.presentCount(), 1);
    const std::vector<Rect> expected = {{2, 3, 6, 5}, {35, 10, 40, 12}, {10, 18, 12, 20}};
    EXPECT_EQ(display.lastPresented(), expected);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool copied = false;
            for (const Rect& r : expected)
                copied = copied || r.contains({x, y});
            ASSERT_EQ(display.screen().pixel(x, y), copied ? frame.at(x, y) : 0) << x << "," << y;
        }
    }
}

TEST(HeadlessDisplay, ShowsNothingWhenNothingChanged)
{
    HeadlessDisplay display;
    const Frame frame(40, 30);
    display.presentWhole(frame.view()); // closed: ignored
    EXPECT_EQ(display.presentCount(), 0);

    ASSERT_EQ(display.open(windowed()), DisplayResult::Ok);
    display.show();
    const Rect outside[] = {{50, 50, 60, 60}};
    display.present(frame.view(), outside);
    EXPECT_EQ(display.presentCount(), 0);

    // Rectangles handed over one by one make one presentation.
    display.update(frame.view(), {0, 0, 4, 4});
    display.update(frame.view(), {10, 10, 12, 12});
    display.show();
    display.show();
    EXPECT_EQ(display.presentCount(), 1);
    EXPECT_EQ(display.lastPresented().size(), 2u);

    display.presentWhole(frame.view());
    EXPECT_EQ(display.presentCount(), 2);
    EXPECT_EQ(display.lastPresented(), std::vector<Rect>{Rect::ofSize(40, 30)});
    EXPECT_EQ(display.screen().pixel(39, 29), frame.at(39, 29));

    // A new mode starts from a black screen.
    ASSERT_EQ(display.open(windowed(15)), DisplayResult::Ok);
    EXPECT_EQ(display.screen().pixel(39, 29), 0);
}
