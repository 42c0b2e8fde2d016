// One engine frame of 200 monitored pictures that all move, tested with the alpha test: the
// collision inspector's work (the reports of the moves and the tick; the moves themselves are
// the pictures' own) beside the raster benchmark's frame of the same sprites, every one drawn
// onto an 800 x 600 16-bit surface.
// The pictures are 64 x 64 with soft alpha edges, 40 pixels apart in rows 60 pixels apart, so
// each overlaps its neighbours' boxes; they sway each frame, so collisions start and end all the
// time. The first tick, which finds every collision of the layout, comes before the timing.
#include "graphics/CCollisionInspector.h"
#include "graphics/CCollisionObserver.h"
#include "graphics/CGraphicsObject.h"

#include <benchmark/benchmark.h>

#include "SoftSprite.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kPictures = 200;

// Picture k, in its place.
std::unique_ptr<CGraphicsObject> picture(int k)
{
    auto raster = softSprite(k);
    raster->SetPosition((k % 20) * 40 - 10, (k / 20) * 60 - 5);
    return raster;
}

struct Counter : CCollisionObserver {
    void onCollision(CGraphicsObject*, CGraphicsObject*) override { ++started; }
    void onCollisionFinished(CGraphicsObject*, CGraphicsObject*) override { ++ended; }
    long started = 0;
    long ended = 0;
};

struct Scene {
    explicit Scene(bool alphaTest = true)
        : surface(nullptr, CXSize(kScreenWidth, kScreenHeight), 16)
    {
        std::memset(surface.GetDataPtr(), 0x5A, kScreenWidth * kScreenHeight * 2);
        inspector.addNotifier(&counter);
        for (int k = 0; k < kPictures; ++k) {
            pictures.push_back(picture(k));
            pictures.back()->SetDestiny(&surface);
            inspector.addMonitoredObject(pictures.back().get(), alphaTest);
        }
        move();
        tick();
        counter = Counter();
        frames = 0;
    }

    // Every picture sways by 4 pixels sideways and 3 up and down, each against its neighbours:
    // neighbours in a row come 8 pixels nearer and go apart again, neighbouring rows 6.
    void move()
    {
        const int dx = (frames & 1) != 0 ? -4 : 4;
        const int dy = (frames & 2) != 0 ? -3 : 3;
        for (int k = 0; k < kPictures; ++k)
            pictures[static_cast<size_t>(k)]->Move((k & 1) != 0 ? dx : -dx, (k / 20 & 1) != 0 ? dy : -dy);
        ++frames;
    }

    // The window reports each move to the inspector; the frame then runs its tick.
    void tick()
    {
        for (const auto& picture : pictures)
            inspector.onPositionChanged(picture.get());
        inspector.tick();
    }

    void draw()
    {
        for (const auto& picture : pictures) {
            const CXRect saved = picture->GetClippingRect();
            picture->redraw(&surface);
            picture->SetClippingRect(saved);
        }
    }

    CGraphicsObject surface;
    CCollisionInspector inspector;
    Counter counter;
    std::vector<std::unique_ptr<CGraphicsObject>> pictures;
    int frames = 0;
};

// Times the inspector's part of each frame only.
void timeTicks(benchmark::State& state, Scene& scene)
{
    for (auto _ : state) {
        scene.move();
        const auto start = std::chrono::steady_clock::now();
        scene.tick();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void InspectorTick(benchmark::State& state)
{
    Scene scene;
    timeTicks(state, scene);
    state.counters["starts/frame"] = static_cast<double>(scene.counter.started) / static_cast<double>(scene.frames);
    state.counters["ends/frame"] = static_cast<double>(scene.counter.ended) / static_cast<double>(scene.frames);
}
BENCHMARK(InspectorTick)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Without the alpha test: the boxes alone decide.
void InspectorTickBoxesOnly(benchmark::State& state)
{
    Scene scene(false);
    timeTicks(state, scene);
}
BENCHMARK(InspectorTickBoxesOnly)->UseManualTime()->Unit(benchmark::kMicrosecond);

void SpritesDrawn(benchmark::State& state)
{
    Scene scene;
    for (auto _ : state) {
        scene.draw();
        benchmark::DoNotOptimize(scene.surface.GetDataPtr());
    }
}
BENCHMARK(SpritesDrawn)->Unit(benchmark::kMicrosecond);

} // namespace
