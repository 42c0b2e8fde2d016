// One engine frame (10 ms) of 200 animations on an 800 x 600 16-bit screen: each animation shows
// 64 x 64 images with soft alpha edges, stored run-length packed (code 4), at 25 frames per
// second, a quarter of them moving on to their next image in each frame. Ours: one step of the
// animation manager and one pass of the screen composer, which paints the background into what
// changed and redraws the animations there. Beside it: the raster benchmark's frame of the same
// sprites kept as unpacked rasters, every one drawn. The other benchmarks tell where the time
// goes: the composer redrawing the whole screen each frame, the steps alone, frames in which every
// animation shows a new image, and unpacking one image. The same frame with the animations as
// ANIMO script objects, each moved by the behaviour its frame changes run, is timed beside
// ours.
#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo6.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "platform/Clock.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/GraphicsScriptTypes.h"

#include "SoftSprite.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr int kAnimations = 200;
constexpr int kImages = 8;
constexpr uint32_t kFrameMs = 10;
constexpr uint32_t kStepMs = 40;

// Image i of a sprite: the gradient moves with i.
std::unique_ptr<CGraphicsObject> sprite(int i)
{
    return softSprite(i);
}

CXPoint place(int k)
{
    return {(k % 20) * 40 - 10, (k / 20) * 60 - 5};
}

struct Screen {
    Screen()
        : back(nullptr, CXSize(kScreenWidth, kScreenHeight), 16, false)
    {
        std::memset(back.GetDataPtr(), 0x5A, kScreenWidth * kScreenHeight * 2);
    }
    CDirectDrawSurface back;
};

// The animations on a screen composer of their own, drawing into the back surface.
struct Animations : Screen {
    Animations()
        : composer(nullptr)
    {
        CColor background(40, 80, 120);
        composer.SetBackground(&background);
        platform::setClock(&clock);
        std::vector<std::unique_ptr<CGraphicsObject>> sprites;
        for (int i = 0; i < kImages; ++i)
            sprites.push_back(sprite(i));
        _annEventInfo3 loop;
        loop.setName("loop");
        for (int i = 0; i < kImages; ++i)
            loop.frames.push_back(static_cast<uint16_t>(i));
        loop.loopEnd = kImages - 1;
        loop.opacity = 255;
        for (int k = 0; k < kAnimations; ++k) {
            auto animation = std::make_unique<CAnimo6>(nullptr);
            for (const auto& s : sprites)
                animation->AddFrame(s.get());
            for (int i = 0; i < kImages; ++i)
                animation->GetFrame(i)->Compress(COMPRESSION_RLE);
            animation->AddEvent(&loop);
            animation->SetFPS(25);
            animation->SetGlobalPosition(place(k).x, place(k).y);
            composer.put(animation.get(), 0);
            // A quarter of the animations starts in each 10 ms of a step's 40.
            clock.set(static_cast<uint32_t>(k % 4) * kFrameMs);
            manager.add(animation.get(), &composer);
            animation->Play("loop", k % kImages, 0);
            animations.push_back(std::move(animation));
        }
        // The first frame comes 10 ms after the last start: each frame steps one quarter.
        compose();
    }
    Animations(const Animations&) = delete;
    Animations& operator=(const Animations&) = delete;
    ~Animations()
    {
        for (const auto& animation : animations)
            manager.remove(animation.get());
        platform::setClock(nullptr);
    }

    // The composer's pass, as the window runs it each frame.
    void compose()
    {
        composer.Redraw(&back, nullptr, nullptr);
        composer.validate();
    }

    void frame(uint32_t ms)
    {
        clock.advance(ms);
        manager.domodal();
        compose();
    }

    platform::ManualClock clock{0};
    CAnimationManager manager;
    CRefreshScreen composer;
    std::vector<std::unique_ptr<CAnimo6>> animations;
};

// The same 200 places, each with its own unpacked copies of the images (as each animation has
// its own packed ones), turning through them as the animations do.
struct Sprites : Screen {
    Sprites()
    {
        for (int i = 0; i < kImages; ++i)
            images.push_back(sprite(i));
        for (int k = 0; k < kAnimations; ++k)
            for (int i = 0; i < kImages; ++i) {
                placed.push_back(std::make_unique<CGraphicsObject>(nullptr));
                placed.back()->Copy(images[static_cast<size_t>(i)].get());
                placed.back()->SetPosition(place(k).x, place(k).y);
            }
    }

    void frame()
    {
        ++tick;
        for (int k = 0; k < kAnimations; ++k) {
            const int image = (k + (tick + 3 - k % 4) / 4) % kImages;
            placed[static_cast<size_t>(k * kImages + image)]->redraw(&back);
        }
    }

    std::vector<std::unique_ptr<CGraphicsObject>> images;
    std::vector<std::unique_ptr<CGraphicsObject>> placed;
    int tick = 0;
};

void AnimationsPacked(benchmark::State& state)
{
    Animations scene;
    for (auto _ : state) {
        scene.frame(kFrameMs);
        benchmark::DoNotOptimize(scene.back.GetDataPtr());
    }
}
BENCHMARK(AnimationsPacked)->Unit(benchmark::kMicrosecond);

void SpritesUnpacked(benchmark::State& state)
{
    Sprites scene;
    for (auto _ : state) {
        scene.frame();
        benchmark::DoNotOptimize(scene.back.GetDataPtr());
    }
}
BENCHMARK(SpritesUnpacked)->Unit(benchmark::kMicrosecond);

// The worst case of a frame: the whole screen dirty, so the background and every animation are
// drawn again.
// The animations as ANIMO objects of a scene: each frame is named "RIGHT" or "LEFT", and the
// behaviours bound to "ONFRAMECHANGED^RIGHT" and "ONFRAMECHANGED^LEFT" move the object a pixel
// that way, so each animation sways about its place. Swaying on every frame, the animations
// whose boxes overlap (a row above the other) move the same way; swaying every four frames,
// they move against each other, and the dirty region cuts their boxes into more pieces.
struct Animos : Animations {
    explicit Animos(int framesEachWay)
    {
        CMC_VariableFactory::initialize();
        attachGraphicsScriptTypes();
        CMC_RunnerFactory::initialize();
        const char* codes[][2] = {{"RIGHT", "THIS^MOVE(1,0);"}, {"LEFT", "THIS^MOVE(-1,0);"}};
        for (const auto& [name, code] : codes) {
            auto* behaviour = new CMC_Behaviour(&scene, CXString(name), CXString(code));
            scene.addObject(behaviour);
            behaviour->init();
        }
        for (size_t k = 0; k < animations.size(); ++k) {
            CAnimo6* animation = animations[k].get();
            for (int i = 0; i < kImages; ++i)
                animation->GetFrameInfo(0, i)->name = CXString(i / framesEachWay % 2 == 0 ? "RIGHT" : "LEFT");
            auto* animo = new CMC_Animo(&scene, animation);
            animo->setName(CXString::toString(static_cast<int>(k)));
            scene.addObject(animo);
            for (const char* name : {"RIGHT", "LEFT"})
                animo->addBehaviour("ONFRAMECHANGED^" + CXString(name),
                                    static_cast<CMC_Behaviour*>(scene.getObject(name)), nullptr, &scene, false);
        }
    }
    ~Animos()
    {
        scene.unload();
        CMC_Behaviour::doneTrash();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
    }

    // The end of the engine frame for script values.
    void frame(uint32_t ms)
    {
        Animations::frame(ms);
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
    }

    CMC_ObjectsContainer scene{nullptr, nullptr, CXString("SCENE"), CMC_Object::TYPE_SCENE};
};

void AnimosMovedByBehaviours(benchmark::State& state)
{
    Animos scene(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scene.frame(kFrameMs);
        benchmark::DoNotOptimize(scene.back.GetDataPtr());
    }
}
BENCHMARK(AnimosMovedByBehaviours)->ArgName("framesEachWay")->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

void AnimationsWholeScreen(benchmark::State& state)
{
    Animations scene;
    for (auto _ : state) {
        scene.composer.Invalidate(static_cast<CXRect*>(nullptr));
        scene.frame(kFrameMs);
        benchmark::DoNotOptimize(scene.back.GetDataPtr());
    }
}
BENCHMARK(AnimationsWholeScreen)->Unit(benchmark::kMicrosecond);

void AnimationsStepsOnly(benchmark::State& state)
{
    Animations scene;
    for (auto _ : state) {
        scene.clock.advance(kStepMs);
        scene.manager.domodal();
        scene.composer.validate();
    }
}
BENCHMARK(AnimationsStepsOnly)->Unit(benchmark::kMicrosecond);

void AnimationsAllNewImages(benchmark::State& state)
{
    Animations scene;
    for (auto _ : state) {
        scene.frame(kStepMs);
        benchmark::DoNotOptimize(scene.back.GetDataPtr());
    }
}
BENCHMARK(AnimationsAllNewImages)->Unit(benchmark::kMicrosecond);

// Unpacking one packed image for drawing, and packing it again.
void DecodeOneImage(benchmark::State& state)
{
    auto image = sprite(3);
    image->Compress(COMPRESSION_RLE);
    for (auto _ : state) {
        image->DeCompressRLE2();
        image->bringBackCompressed();
    }
}
BENCHMARK(DecodeOneImage)->Unit(benchmark::kMicrosecond);

} // namespace
