#include "launcher/ProgramIcon.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CImageFile.h"

#include <array>
#include <cmath>
#include <memory>

namespace ProgramIcon {

namespace {

constexpr int kSize = 48;
constexpr int kSamples = 4; // per side of a pixel, for smooth edges

struct Colour {
    float red, green, blue;
};

bool inDisc(float x, float y, float cx, float cy, float r)
{
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// Inside the triangle whose corners go round clockwise on the screen.
bool inTriangle(float x, float y, const std::array<float, 6>& c)
{
    const auto side = [&](int a, int b) {
        return (c[b] - c[a]) * (y - c[a + 1]) - (c[b + 1] - c[a + 1]) * (x - c[a]);
    };
    return side(0, 2) >= 0 && side(2, 4) >= 0 && side(4, 0) >= 0;
}

bool nearSegment(float x, float y, float x0, float y0, float x1, float y1, float halfWidth)
{
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const float t = std::fmax(0.0f, std::fmin(1.0f, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)));
    return inDisc(x, y, x0 + t * dx, y0 + t * dy, halfWidth);
}

// The colour at a point of the picture; none outside the round sky.
std::optional<Colour> colourAt(float x, float y)
{
    if (!inDisc(x, y, 24, 24, 23.5f))
        return std::nullopt;
    if (inDisc(x, y, 26.5f, 21, 1.8f))
        return Colour{25, 25, 30};
    if (inDisc(x, y, 26.5f, 21, 3.6f))
        return Colour{250, 245, 230};
    if (nearSegment(x, y, 26, 26, 23, 36, 1.6f))
        return Colour{45, 45, 60};
    if (inTriangle(x, y, {33, 18, 44, 25, 33, 29}))
        return Colour{70, 75, 90};
    if (inDisc(x, y, 23, 25, 12.5f) || inTriangle(x, y, {12, 30, 30, 34, 16, 46}))
        return Colour{200, 115, 45};
    return Colour{90, 150, 215};
}

} // namespace

platform::IconImage builtIn()
{
    platform::IconImage icon{kSize, kSize, std::vector<uint8_t>(kSize * kSize * 4)};
    uint8_t* out = icon.rgba.data();
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Colour sum{0, 0, 0};
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const std::optional<Colour> c =
                        colourAt(x + (sx + 0.5f) / kSamples, y + (sy + 0.5f) / kSamples);
                    if (!c)
                        continue;
                    sum = {sum.red + c->red, sum.green + c->green, sum.blue + c->blue};
                    ++covered;
                }
            }
            const float n = covered > 0 ? static_cast<float>(covered) : 1.0f;
            *out++ = static_cast<uint8_t>(sum.red / n);
            *out++ = static_cast<uint8_t>(sum.green / n);
            *out++ = static_cast<uint8_t>(sum.blue / n);
            *out++ = static_cast<uint8_t>(covered * 255 / (kSamples * kSamples));
        }
    }
    return icon;
}

std::optional<platform::IconImage> fromFile(const CXString& name)
{
    CImageFile file(nullptr);
    file.Load(name);
    const std::unique_ptr<CGraphicsObject> picture(file.getObject());
    if (picture == nullptr || picture->LastError() != 0)
        return std::nullopt;
    picture->unpack();
    picture->Convert(16);
    if (picture->GetDataPtr() == nullptr || picture->Width() <= 0 || picture->Height() <= 0 ||
        (picture->GetBpp() != 15 && picture->GetBpp() != 16))
        return std::nullopt;
    const platform::PixelView pixels{reinterpret_cast<const uint16_t*>(picture->GetDataPtr()), picture->Width(),
                                     picture->Height(), picture->Width() * 2};
    const platform::RgbImage rgb = platform::widenPixels(pixels, pixels.bounds(), picture->GetBpp());
    const unsigned char* alpha = picture->GetAlphaPtr();
    const bool hasAlpha = alpha != nullptr && picture->GetAlphaSize() >= rgb.width * rgb.height;
    platform::IconImage icon{rgb.width, rgb.height, std::vector<uint8_t>(static_cast<size_t>(rgb.width) * rgb.height * 4)};
    for (size_t i = 0; i < static_cast<size_t>(rgb.width) * rgb.height; ++i) {
        icon.rgba[i * 4] = rgb.pixels[i * 3];
        icon.rgba[i * 4 + 1] = rgb.pixels[i * 3 + 1];
        icon.rgba[i * 4 + 2] = rgb.pixels[i * 3 + 2];
        icon.rgba[i * 4 + 3] = hasAlpha ? alpha[i] : 255;
    }
    return icon;
}

} // namespace ProgramIcon
