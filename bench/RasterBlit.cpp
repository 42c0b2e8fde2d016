// Drawing an 800 x 600 16-bit frame covered by 100 x 100 sprites: ours through the raster's
// redraw against pixman (OVER or SRC, r5g6b5 source, a8 mask, r5g6b5 target) and, for opaque
// sprites, against memcpy of the same rows. Every contender reads the same sprite bytes and
// writes into the same frame; pixman rounds differently, so only times are compared.
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

} // namespace

BENCHMARK_CAPTURE(Kestrum, AlphaSprites, AlphaKind::Sprites);
BENCHMARK_CAPTURE(Pixman, AlphaSprites, AlphaKind::Sprites);
BENCHMARK_CAPTURE(Kestrum, OpaqueSprites, AlphaKind::None);
BENCHMARK_CAPTURE(Pixman, OpaqueSprites, AlphaKind::None);
BENCHMARK(Memcpy)->Name("Memcpy/OpaqueSprites");
BENCHMARK_CAPTURE(Kestrum, PartialAlpha, AlphaKind::Partial);
BENCHMARK_CAPTURE(Pixman, PartialAlpha, AlphaKind::Partial);
