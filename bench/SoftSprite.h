#pragma once

#include "graphics/CGraphicsObject.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

// The 64 x 64 sprite of the frame benchmarks: a colour gradient shifted by `shift`, opaque
// inside a circle, transparent around it, with a soft edge 6 pixels wide.
constexpr int kSpriteSide = 64;

inline std::unique_ptr<CGraphicsObject> softSprite(int shift)
{
    auto raster = std::make_unique<CGraphicsObject>(nullptr, CXSize(kSpriteSide, kSpriteSide), 16);
    auto* pixels = reinterpret_cast<uint16_t*>(raster->GetDataPtr());
    char* alpha = new char[kSpriteSide * kSpriteSide];
    for (int y = 0; y < kSpriteSide; ++y)
        for (int x = 0; x < kSpriteSide; ++x) {
            pixels[y * kSpriteSide + x] = static_cast<uint16_t>(((x + shift) * 31 / kSpriteSide) << 11 | (y * 63 / kSpriteSide) << 5
                                                                | ((x + y + shift) & 31));
            const double distance = std::hypot(x - 31.5, y - 31.5);
            alpha[y * kSpriteSide + x] = static_cast<char>(std::lround(std::clamp((29.0 - distance) / 6.0, 0.0, 1.0) * 255));
        }
    raster->AlphaChannel(alpha);
    return raster;
}
