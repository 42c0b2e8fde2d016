#pragma once

// The raster benchmark's frame: an 800 x 600 16-bit frame covered by 100 x 100 sprites drawn
// through the raster's redraw. Other benchmarks time their work beside it.
#include "graphics/CGraphicsObject.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace SpriteFrame {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
constexpr int kSprite = 100;
// Sprites overlap by 4 pixels, start 7 pixels outside the frame and cut its far edges, at
// columns that are not multiples of 8.
constexpr int kStep = 96;
constexpr int kFirst = -7;

enum class AlphaKind { Sprites, Partial, None };

inline uint32_t nextNoise(uint32_t& state)
{
    state = state * 214013u + 2531011u;
    return state >> 16 & 0x7FFF;
}

// Opaque inside a circle, transparent around it, with a soft edge 6 pixels wide; or partial
// alpha (1 to 254) everywhere.
inline std::vector<uint8_t> spriteAlpha(AlphaKind kind)
{
    std::vector<uint8_t> alpha(kSprite * kSprite);
    uint32_t noise = 99;
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x) {
            const double distance = std::hypot(x - 49.5, y - 49.5);
            const double opacity = std::clamp((46.0 - distance) / 6.0, 0.0, 1.0);
            alpha[y * kSprite + x] = kind == AlphaKind::Partial ? static_cast<uint8_t>(1 + nextNoise(noise) % 254)
                                                                : static_cast<uint8_t>(std::lround(opacity * 255));
        }
    return alpha;
}

inline std::vector<uint16_t> spritePixels()
{
    std::vector<uint16_t> pixels(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x)
            pixels[y * kSprite + x] = static_cast<uint16_t>((x * 31 / kSprite) << 11 | (y * 63 / kSprite) << 5 | ((x + y) & 31));
    return pixels;
}

inline std::vector<CXPoint> spritePlaces()
{
    std::vector<CXPoint> places;
    for (int y = kFirst; y < kFrameHeight; y += kStep)
        for (int x = kFirst; x < kFrameWidth; x += kStep)
            places.emplace_back(x, y);
    return places;
}

// The frame and the sprites: one raster holds the sprite's planes, one sharing copy of it stands
// at each place (each keeps its own clipping rectangle).
struct Frame {
    explicit Frame(AlphaKind kind)
        : pixels(spritePixels())
        , alpha(spriteAlpha(kind))
        , frame(nullptr, CXSize(kFrameWidth, kFrameHeight), 16)
        , sprite(nullptr, CXSize(kSprite, kSprite), 16)
    {
        std::memcpy(sprite.GetDataPtr(), pixels.data(), pixels.size() * 2);
        if (kind != AlphaKind::None) {
            char* plane = new char[alpha.size()];
            std::memcpy(plane, alpha.data(), alpha.size());
            sprite.AlphaChannel(plane);
        }
        std::memset(frame.GetDataPtr(), 0x5A, kFrameWidth * kFrameHeight * 2);
        for (const CXPoint& place : spritePlaces()) {
            placed.emplace_back(sprite.clone());
            placed.back()->SetPosition(place.x, place.y);
        }
    }

    void draw()
    {
        for (auto& s : placed)
            s->redraw(&frame);
    }

    std::vector<uint16_t> pixels;
    std::vector<uint8_t> alpha;
    CGraphicsObject frame;
    CGraphicsObject sprite;
    std::vector<std::unique_ptr<CGraphicsObject>> placed;
};

} // namespace SpriteFrame
