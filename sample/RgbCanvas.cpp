#include "sample/RgbCanvas.h"

#include "graphics/CColor.h"
#include "graphics/CGraphicsObject.h"
#include "sample/PictureOfPixels.h"

#include <algorithm>

namespace {

// Whether the point lies inside or on the ellipse around the origin with these half axes.
bool inEllipse(int64_t dx, int64_t dy, int64_t halfWidth, int64_t halfHeight)
{
    return dx * dx * halfHeight * halfHeight + dy * dy * halfWidth * halfWidth
           <= halfWidth * halfWidth * halfHeight * halfHeight;
}

bool onSegment(CanvasPoint a, CanvasPoint b, int x, int y)
{
    const int64_t cross = int64_t{b.x - a.x} * (y - a.y) - int64_t{x - a.x} * (b.y - a.y);
    return cross == 0 && x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) && y >= std::min(a.y, b.y)
           && y <= std::max(a.y, b.y);
}

// Whether the point lies inside the polygon or on its outline: on none of its edges, it is inside
// when a ray from it to the right crosses the outline an odd number of times.
bool inPolygon(const std::vector<CanvasPoint>& corners, int x, int y)
{
    bool inside = false;
    for (size_t i = 0, previous = corners.size() - 1; i < corners.size(); previous = i++) {
        const CanvasPoint a = corners[previous];
        const CanvasPoint b = corners[i];
        if (onSegment(a, b, x, y))
            return true;
        if ((a.y > y) != (b.y > y)) {
            // Positive when the edge crosses the point's row to the right of it, for an edge going
            // down; the other way round for one going up.
            const int64_t side = int64_t{b.x - a.x} * (y - a.y) - int64_t{x - a.x} * (b.y - a.y);
            if ((side > 0) == (b.y > a.y))
                inside = !inside;
        }
    }
    return inside;
}

} // namespace

RgbCanvas::RgbCanvas(int width, int height, Rgb ground)
    : image_(width, height, 0)
{
    fillRectangle({0, 0}, {width - 1, height - 1}, ground);
}

template <typename Inside>
void RgbCanvas::paint(CanvasPoint topLeft, CanvasPoint bottomRight, Rgb colour, Inside inside)
{
    const int right = std::min(bottomRight.x, image_.width - 1);
    const int bottom = std::min(bottomRight.y, image_.height - 1);
    for (int y = std::max(topLeft.y, 0); y <= bottom; ++y) {
        uint8_t* row = image_.row(y);
        for (int x = std::max(topLeft.x, 0); x <= right; ++x) {
            if (!inside(x, y))
                continue;
            uint8_t* pixel = row + static_cast<size_t>(x) * 3;
            pixel[0] = colour.red;
            pixel[1] = colour.green;
            pixel[2] = colour.blue;
        }
    }
}

void RgbCanvas::fillVerticalGradient(Rgb top, Rgb bottom)
{
    const int64_t span = std::max(image_.height - 1, 1);
    const auto level = [&](uint8_t from, uint8_t to, int y) {
        return static_cast<uint8_t>((from * span + (to - from) * int64_t{y}) / span);
    };
    for (int y = 0; y < image_.height; ++y) {
        const Rgb colour{level(top.red, bottom.red, y), level(top.green, bottom.green, y),
                         level(top.blue, bottom.blue, y)};
        fillRectangle({0, y}, {image_.width - 1, y}, colour);
    }
}

void RgbCanvas::fillRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, Rgb colour)
{
    paint(topLeft, bottomRight, colour, [](int, int) { return true; });
}

void RgbCanvas::fillRoundRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, int radius, Rgb colour)
{
    // How far a pixel lies beyond the centres of the corners' circles, across and down.
    paint(topLeft, bottomRight, colour, [&](int x, int y) {
        const int dx = std::max({topLeft.x + radius - x, x - (bottomRight.x - radius), 0});
        const int dy = std::max({topLeft.y + radius - y, y - (bottomRight.y - radius), 0});
        return inEllipse(dx, dy, radius, radius);
    });
}

void RgbCanvas::frameRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, int thickness, Rgb colour)
{
    paint(topLeft, bottomRight, colour, [&](int x, int y) {
        return x < topLeft.x + thickness || x > bottomRight.x - thickness || y < topLeft.y + thickness
               || y > bottomRight.y - thickness;
    });
}

void RgbCanvas::fillCircle(CanvasPoint centre, int radius, Rgb colour)
{
    paint({centre.x - radius, centre.y - radius}, {centre.x + radius, centre.y + radius}, colour,
          [&](int x, int y) { return inEllipse(x - centre.x, y - centre.y, radius, radius); });
}

void RgbCanvas::fillDome(CanvasPoint centre, int halfWidth, int height, Rgb colour)
{
    paint({centre.x - halfWidth, centre.y - height}, {centre.x + halfWidth, centre.y}, colour,
          [&](int x, int y) { return inEllipse(x - centre.x, y - centre.y, halfWidth, height); });
}

void RgbCanvas::fillPolygon(const std::vector<CanvasPoint>& corners, Rgb colour)
{
    if (corners.empty())
        return;
    const auto [left, right] = std::ranges::minmax(corners, {}, &CanvasPoint::x);
    const auto [top, bottom] = std::ranges::minmax(corners, {}, &CanvasPoint::y);
    paint({left.x, top.y}, {right.x, bottom.y}, colour, [&](int x, int y) { return inPolygon(corners, x, y); });
}

void RgbCanvas::setPixel(CanvasPoint point, Rgb colour)
{
    fillRectangle(point, point, colour);
}

std::unique_ptr<CGraphicsObject> RgbCanvas::picture() const
{
    std::vector<uint16_t> words;
    words.reserve(image_.pixels.size() / 3);
    for (size_t i = 0; i < image_.pixels.size(); i += 3)
        words.push_back(CColor::PixelWord(16, image_.pixels[i], image_.pixels[i + 1], image_.pixels[i + 2]));
    return pictureOfPixels(image_.width, image_.height, words);
}
