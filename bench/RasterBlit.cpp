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
#include "SpriteFrame.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace SpriteFrame;

// The shared frame, and pixman's view of the same frame and sprite.
struct Scene : Frame {
    explicit Scene(AlphaKind kind)
        : Frame(kind)
    {
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
        s.draw();
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
