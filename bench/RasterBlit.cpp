// Drawing an 800 x 600 16-bit frame covered by 100 x 100 sprites: ours through the raster's
// redraw against pixman (OVER or SRC, r5g6b5 source, a8 mask, r5g6b5 target) and, for opaque
// sprites, against memcpy of the same rows. Every contender reads the same sprite bytes and
// writes into the same frame; pixman rounds differently, so only times are compared.
//
// Beside the frame of alpha sprites: the same frame drawn by a virtual graphics object whose
// full-screen source shows through a mask of the sprites' soft alpha; and a pattern of 25 x 19
// cells of 32 x 32 opaque tiles beside the same tiles drawn one by one.
#include "graphics/CGraphicsObject.h"
#include "graphics/CPattern.h"
#include "graphics/CVirtualGraphicsObject.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kFrameWidth = 800;
constexpr int kFrameHeight = 600;
constexpr int kSprite = 100;
// Sprites overlap by 4 pixels, start 7 pixels outside the frame and cut its far edges, at
// columns that are not multiples of 8.
constexpr int kStep = 96;
constexpr int kFirst = -7;

enum class AlphaKind { Sprites, Partial, None };

uint32_t nextNoise(uint32_t& state)
{
    state = state * 214013u + 2531011u;
    return state >> 16 & 0x7FFF;
}

// Opaque inside a circle, transparent around it, with a soft edge 6 pixels wide; or partial
// alpha (1 to 254) everywhere.
std::vector<uint8_t> spriteAlpha(AlphaKind kind)
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

std::vector<uint16_t> spritePixels()
{
    std::vector<uint16_t> pixels(kSprite * kSprite);
    for (int y = 0; y < kSprite; ++y)
        for (int x = 0; x < kSprite; ++x)
            pixels[y * kSprite + x] = static_cast<uint16_t>((x * 31 / kSprite) << 11 | (y * 63 / kSprite) << 5 | ((x + y) & 31));
    return pixels;
}

std::vector<CXPoint> spritePlaces()
{
    std::vector<CXPoint> places;
    for (int y = kFirst; y < kFrameHeight; y += kStep)
        for (int x = kFirst; x < kFrameWidth; x += kStep)
            places.emplace_back(x, y);
    return places;
}

// The frame and the sprites: one raster holds the sprite's planes, one sharing copy of it stands
// at each place (each keeps its own clipping rectangle).
struct Scene {
    explicit Scene(AlphaKind kind)
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
        frameImage = pixman_image_create_bits(PIXMAN_r5g6b5, kFrameWidth, kFrameHeight,
                                              reinterpret_cast<uint32_t*>(frame.GetDataPtr()), kFrameWidth * 2);
        spriteImage = pixman_image_create_bits(PIXMAN_r5g6b5, kSprite, kSprite,
                                               reinterpret_cast<uint32_t*>(sprite.GetDataPtr()), kSprite * 2);
        if (kind != AlphaKind::None)
            maskImage = pixman_image_create_bits(PIXMAN_a8, kSprite, kSprite,
                                                 reinterpret_cast<uint32_t*>(sprite.GetAlphaPtr()), kSprite);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;
    ~Scene()
    {
        pixman_image_unref(frameImage);
        pixman_image_unref(spriteImage);
        if (maskImage != nullptr)
            pixman_image_unref(maskImage);
    }

    void drawOurs()
    {
        for (auto& s : placed)
            s->redraw(&frame);
    }

    void drawPixman(pixman_op_t op)
    {
        for (const CXPoint& place : spritePlaces())
            pixman_image_composite32(op, spriteImage, maskImage, frameImage, 0, 0, 0, 0, place.x, place.y, kSprite, kSprite);
    }

    // The rows each sprite covers in the frame, copied with memcpy.
    void drawMemcpy()
    {
        char* target = frame.GetDataPtr();
        const char* source = sprite.GetDataPtr();
        for (const CXPoint& place : spritePlaces()) {
            const int left = std::max(0, -place.x), top = std::max(0, -place.y);
            const int right = std::min(kSprite, kFrameWidth - place.x), bottom = std::min(kSprite, kFrameHeight - place.y);
            for (int y = top; y < bottom; ++y)
                std::memcpy(target + ((place.y + y) * kFrameWidth + place.x + left) * 2, source + (y * kSprite + left) * 2,
                            static_cast<size_t>(right - left) * 2);
        }
    }

    std::vector<uint16_t> pixels;
    std::vector<uint8_t> alpha;
    CGraphicsObject frame;
    CGraphicsObject sprite;
    std::vector<std::unique_ptr<CGraphicsObject>> placed;
    pixman_image_t* frameImage = nullptr;
    pixman_image_t* spriteImage = nullptr;
    pixman_image_t* maskImage = nullptr;
};

Scene& scene(AlphaKind kind)
{
    static Scene sprites(AlphaKind::Sprites);
    static Scene partial(AlphaKind::Partial);
    static Scene opaque(AlphaKind::None);
    return kind == AlphaKind::Sprites ? sprites : kind == AlphaKind::Partial ? partial : opaque;
}

void finish(benchmark::State& state, AlphaKind kind)
{
    benchmark::DoNotOptimize(scene(kind).frame.GetDataPtr());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(spritePlaces().size()));
}

void Kestrum(benchmark::State& state, AlphaKind kind)
{
    Scene& s = scene(kind);
    for (auto _ : state) {
        s.drawOurs();
        benchmark::ClobberMemory();
    }
    finish(state, kind);
}

void Pixman(benchmark::State& state, AlphaKind kind)
{
    Scene& s = scene(kind);
    const pixman_op_t op = kind == AlphaKind::None ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
    for (auto _ : state) {
        s.drawPixman(op);
        benchmark::ClobberMemory();
    }
    finish(state, kind);
}

void Memcpy(benchmark::State& state)
{
    Scene& s = scene(AlphaKind::None);
    for (auto _ : state) {
        s.drawMemcpy();
        benchmark::ClobberMemory();
    }
    finish(state, AlphaKind::None);
}

// The frame of alpha sprites once more, as one virtual graphics object: the source is a frame of
// the sprite's pixels, the mask carries the sprite's alpha at every place.
struct MaskedFrame {
    MaskedFrame()
        : source(nullptr, CXSize(kFrameWidth, kFrameHeight), 16)
        , mask(nullptr, CXSize(kFrameWidth, kFrameHeight), 16)
        , target(nullptr, CXSize(kFrameWidth, kFrameHeight), 16)
        , object(nullptr)
    {
        const std::vector<uint16_t> pixels = spritePixels();
        const std::vector<uint8_t> alpha = spriteAlpha(AlphaKind::Sprites);
        auto* words = reinterpret_cast<uint16_t*>(source.GetDataPtr());
        char* plane = new char[kFrameWidth * kFrameHeight];
        for (int y = 0; y < kFrameHeight; ++y)
            for (int x = 0; x < kFrameWidth; ++x) {
                const int inSprite = (y - kFirst) % kStep * kSprite + (x - kFirst) % kStep;
                words[y * kFrameWidth + x] = pixels[static_cast<size_t>(inSprite)];
                plane[y * kFrameWidth + x] = static_cast<char>(alpha[static_cast<size_t>(inSprite)]);
            }
        mask.AlphaChannel(plane);
        std::memset(target.GetDataPtr(), 0x5A, kFrameWidth * kFrameHeight * 2);
        object.setSource(&source);
        object.setMask(&mask);
    }

    CGraphicsObject source;
    CGraphicsObject mask;
    CGraphicsObject target;
    CVirtualGraphicsObject object;
};

// 25 x 19 opaque tiles of 32 x 32 pixels on a frame: placed in a pattern, and as they are.
constexpr int kTile = 32;
constexpr int kColumns = 25;
constexpr int kRows = 19;

struct TiledFrame {
    TiledFrame()
        : frame(nullptr, CXSize(kColumns * kTile, kRows * kTile), 16)
        , pattern(nullptr, CXSize(kColumns * kTile, kRows * kTile), CXSize(kTile, kTile), 1)
    {
        const std::vector<uint16_t> pixels = spritePixels();
        for (int row = 0; row < kRows; ++row)
            for (int column = 0; column < kColumns; ++column) {
                auto tile = std::make_unique<CGraphicsObject>(nullptr, CXSize(kTile, kTile), 16);
                auto* words = reinterpret_cast<uint16_t*>(tile->GetDataPtr());
                for (int i = 0; i < kTile * kTile; ++i)
                    words[i] = pixels[static_cast<size_t>((i + row * 7 + column) % (kSprite * kSprite))];
                tile->SetPosition(column * kTile, row * kTile);
                tile->SetDestiny(&frame);
                pattern.add("tile", column, row, 0, tile.get(), 0, "");
                tiles.push_back(std::move(tile));
            }
        pattern.SetDestiny(&frame);
    }

    CGraphicsObject frame;
    CPattern pattern;
    std::vector<std::unique_ptr<CGraphicsObject>> tiles;
};

void VirtualFullScreen(benchmark::State& state)
{
    static MaskedFrame masked;
    for (auto _ : state) {
        masked.object.redraw(&masked.target);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFrameWidth * kFrameHeight);
}

void PatternTiles(benchmark::State& state)
{
    static TiledFrame tiled;
    for (auto _ : state) {
        tiled.pattern.Redraw();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}

void PlainTiles(benchmark::State& state)
{
    static TiledFrame tiled;
    for (auto _ : state) {
        for (auto& tile : tiled.tiles)
            tile->Redraw();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kColumns * kRows);
}

} // namespace

BENCHMARK(VirtualFullScreen)->Name("Kestrum/VirtualFullScreenSoftMask");
BENCHMARK(PatternTiles)->Name("Kestrum/Pattern25x19Tiles");
BENCHMARK(PlainTiles)->Name("Kestrum/Plain25x19Tiles");
BENCHMARK_CAPTURE(Kestrum, AlphaSprites, AlphaKind::Sprites);
BENCHMARK_CAPTURE(Pixman, AlphaSprites, AlphaKind::Sprites);
BENCHMARK_CAPTURE(Kestrum, OpaqueSprites, AlphaKind::None);
BENCHMARK_CAPTURE(Pixman, OpaqueSprites, AlphaKind::None);
BENCHMARK(Memcpy)->Name("Memcpy/OpaqueSprites");
BENCHMARK_CAPTURE(Kestrum, PartialAlpha, AlphaKind::Partial);
BENCHMARK_CAPTURE(Pixman, PartialAlpha, AlphaKind::Partial);
