// Draws the rays of the rising sun over the sample's dawn into an animation file (ANN): one
// endless event whose eight pictures lengthen the rays and shorten them again. The rays fan out
// above the sun of the dawn's background (its middle at 400,560, its edge 90 pixels out) and
// stay clear of its hills; each fades from the sun to its tip.
// Usage: DrawSunrays <ann file>
#include "graphics/AnnRecords.h"
#include "graphics/CAnimo6.h"
#include "graphics/CGraphicsObject.h"
#include "sample/PictureOfPixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr int kSunX = 400;
constexpr int kSunY = 560;
// Every picture covers the box of the longest rays, placed on the screen.
constexpr int kLeft = 290;
constexpr int kTop = 392;
constexpr int kWidth = 220;
constexpr int kHeight = 100;
// The rays begin a little beyond the sun's edge; their directions in degrees from the right
// hand, and their half width.
constexpr double kRayStart = 102;
constexpr double kRayDirections[] = {50, 70, 90, 110, 130};
constexpr double kHalfWidth = 2.5;
// The rays' lengths, one per picture: out and back, so that the loop is seamless.
constexpr double kLengths[] = {24, 32, 40, 48, 56, 48, 40, 32};
constexpr unsigned kPicturesPerSecond = 10;
// #ffe39a at 5-6-5.
constexpr uint16_t kRayColour = (0xFF >> 3) << 11 | (0xE3 >> 2) << 5 | 0x9A >> 3;
constexpr int kFaintestTip = 64;

// How opaque the rays of this length are at a point of the picture: 0 outside them.
int rayAlpha(int x, int y, double length)
{
    const double dx = kLeft + x + 0.5 - kSunX;
    const double dy = kSunY - (kTop + y + 0.5);
    const double distance = std::hypot(dx, dy);
    if (distance < kRayStart || distance > kRayStart + length)
        return 0;
    const double direction = std::atan2(dy, dx) * 180 / std::numbers::pi;
    const bool onARay = std::ranges::any_of(kRayDirections,
                                            [&](double ray) { return std::abs(direction - ray) <= kHalfWidth; });
    if (!onARay)
        return 0;
    return 255 - static_cast<int>((255 - kFaintestTip) * (distance - kRayStart) / length);
}

std::unique_ptr<CGraphicsObject> raysOf(double length)
{
    const size_t size = static_cast<size_t>(kWidth) * kHeight;
    std::vector<uint8_t> alpha(size);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            alpha[static_cast<size_t>(y) * kWidth + x] = static_cast<uint8_t>(rayAlpha(x, y, length));
    auto picture = pictureOfPixels(kWidth, kHeight, std::vector<uint16_t>(size, kRayColour), alpha);
    picture->SetPosition(kLeft, kTop);
    return picture;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: DrawSunrays <ann file>\n", stderr);
        return 2;
    }
    CAnimo6 animation(nullptr);
    _annEventInfo3 event;
    event.setName("PULSE");
    event.fps = kPicturesPerSecond;
    event.opacity = 255;
    for (const double length : kLengths) {
        event.frames.push_back(static_cast<uint16_t>(animation.GetNOF()));
        animation.AddFrame(raysOf(length).get());
    }
    // A loop over the whole event, without end.
    event.loopEnd = static_cast<uint16_t>(event.frames.size() - 1);
    animation.AddEvent(&event);
    if (animation.Save(CXString(argv[1]), COMPRESSION_RLE) != 0) {
        std::fprintf(stderr, "DrawSunrays: \"%s\" cannot be written\n", argv[1]);
        return 1;
    }
    return 0;
}
