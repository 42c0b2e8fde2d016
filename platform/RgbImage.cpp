#include "platform/RgbImage.h"

namespace platform {

namespace {

uint8_t widen(unsigned value, int bits)
{
    const unsigned shifted = value << (8 - bits);
    return static_cast<uint8_t>(shifted | shifted >> bits);
}

} // namespace

RgbImage widenPixels(const PixelView& pixels, const Rect& rect, int bitsPerPixel)
{
    const Rect area = rect.intersected(pixels.bounds());
    if (area.isEmpty())
        return {};
    const bool sixBitGreen = bitsPerPixel != 15;
    const int redShift = sixBitGreen ? 11 : 10;
    const int greenBits = sixBitGreen ? 6 : 5;
    RgbImage image(area.width(), area.height(), 0);
    for (int y = 0; y < image.height; ++y) {
        const uint16_t* in = pixels.row(area.top + y) + area.left;
        uint8_t* out = image.row(y);
        for (int x = 0; x < image.width; ++x) {
            const unsigned word = in[x];
            *out++ = widen(word >> redShift & 0x1F, 5);
            *out++ = widen(word >> 5 & ((1u << greenBits) - 1), greenBits);
            *out++ = widen(word & 0x1F, 5);
        }
    }
    return image;
}

} // namespace platform
