#pragma once

#include "platform/RgbImage.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGraphicsObject;

// A colour of 8 bits a channel.
struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;

    // The colour written as in "#3f7f8c": 0x3f7f8c.
    static constexpr Rgb hex(uint32_t value)
    {
        return {static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)};
    }
    bool operator==(const Rgb&) const = default;
};

// A point of a canvas: pixel (x, y) has its centre there.
struct CanvasPoint {
    int x;
    int y;
};

// A 24-bit picture that the sample's tools paint shapes on, with hard edges: a pixel takes a
// shape's colour when its centre lies inside the shape or on its outline and keeps its own
// otherwise, so nothing is blended. All of it is integer arithmetic, so that a drawing gives the
// same pixels on every machine and with every compiler. What a shape has beyond the canvas is
// dropped. Boxes are given by their top left and bottom right pixels, both inside them.
class RgbCanvas {
public:
    RgbCanvas(int width, int height, Rgb ground);

    // From `top` in the first row to `bottom` in the last, each channel moving linearly and cut
    // down to a whole level; all the pixels of a row alike.
    void fillVerticalGradient(Rgb top, Rgb bottom);
    void fillRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, Rgb colour);
    // The rectangle with its corners rounded by quarter circles of `radius`.
    void fillRoundRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, int radius, Rgb colour);
    // The band of the rectangle `thickness` pixels wide along its edges.
    void frameRectangle(CanvasPoint topLeft, CanvasPoint bottomRight, int thickness, Rgb colour);
    void fillCircle(CanvasPoint centre, int radius, Rgb colour);
    // The upper half of the ellipse around `centre` with these half axes: a hill standing on the
    // row of its centre.
    void fillDome(CanvasPoint centre, int halfWidth, int height, Rgb colour);
    // The polygon of these corners, closed from the last back to the first.
    void fillPolygon(const std::vector<CanvasPoint>& corners, Rgb colour);
    void setPixel(CanvasPoint point, Rgb colour);

    const platform::RgbImage& image() const { return image_; }
    // The canvas at the engine's 16 bits (5-6-5), as the screen shows it.
    std::unique_ptr<CGraphicsObject> picture() const;

private:
    // Paints the pixels of the box, as far as it lies on the canvas, for which `inside(x, y)`
    // holds.
    template <typename Inside>
    void paint(CanvasPoint topLeft, CanvasPoint bottomRight, Rgb colour, Inside inside);

    platform::RgbImage image_;
};
