// Each filter kind over an 800 x 600 16-bit raster with alpha (5-6-5, a 16-bit screen), beside
// the raster benchmark's frame of alpha sprites. The still kinds apply once to the raster as it
// was; WATER runs one step; WAVING's step is timed over its whole cycle of 101 steps, of which
// 11 draw a picture, and its picture alone beside it.
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CGraphicsObject.h"
#include "platform/HeadlessBackend.h"
#include "script_graphics/CBlurFilter.h"
#include "script_graphics/CColourFilters.h"
#include "script_graphics/CDisplacementFilters.h"
#include "script_graphics/CGeometryFilters.h"
#include "script_graphics/CWaterFilter.h"
#include "script_graphics/CWavingFilter.h"
#include "script_graphics/FilterPixels.h"

#include "SpriteFrame.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using namespace SpriteFrame;
using Options = std::vector<std::pair<const char*, const char*>>;

// The engine window on a 16-bit headless display, and the raster: noise, a pixel in eight
// transparent, the others opaque but for a band of partial alpha.
struct World {
    World()
        : window(&backend, nullptr, &language, CXSize(kFrameWidth, kFrameHeight),
                 backend.cursors().systemCursor(platform::SystemCursor::Arrow), "")
        , raster(nullptr, CXSize(kFrameWidth, kFrameHeight), 16)
    {
        window.OnActivateApp(true);
        window.CreateSurface();
        uint32_t noise = 7;
        auto* words = reinterpret_cast<uint16_t*>(raster.GetDataPtr());
        char* alpha = new char[kFrameWidth * kFrameHeight];
        for (int i = 0; i < kFrameWidth * kFrameHeight; ++i) {
            words[i] = static_cast<uint16_t>(nextNoise(noise) * 2 + (i & 1));
            const uint32_t pick = nextNoise(noise) % 8;
            alpha[i] = static_cast<char>(pick == 0 ? 0 : i % kFrameWidth < 100 ? 1 + pick * 30 : 255);
        }
        raster.AlphaChannel(alpha);
        colour = raster.getColourPlane();
        opacity = raster.getAlphaPlane();
    }

    // The raster as it was made, at no cost.
    void reset() { raster.setPlanes(colour, opacity, kFrameWidth, kFrameHeight); }

    platform::HeadlessBackend backend{platform::HeadlessBackend::Time::Manual};
    CLanguageOSVer language;
    CWindow window;
    CGraphicsObject raster;
    CPlane colour;
    CPlane opacity;
};

World& world()
{
    static World made;
    return made;
}

void AlphaFrame(benchmark::State& state)
{
    static Frame frame(AlphaKind::Sprites);
    for (auto _ : state) {
        frame.draw();
        benchmark::ClobberMemory();
    }
}

template <typename Kind>
void Still(benchmark::State& state, const Options& options)
{
    World& w = world();
    Kind kind(&w.window);
    for (const auto& [name, value] : options)
        kind.setProperty(CXString(name), CXString(value));
    for (auto _ : state) {
        w.reset();
        kind.apply(&w.raster, true);
        benchmark::ClobberMemory();
    }
    w.reset();
}

template <typename Kind>
void Animated(benchmark::State& state)
{
    World& w = world();
    w.reset();
    Kind kind(&w.window);
    kind.link(&w.raster, nullptr);
    kind.start(&w.raster);
    for (auto _ : state) {
        kind.onTimer(0);
        benchmark::ClobberMemory();
    }
    kind.unlinkAll();
    w.reset();
}

void WavingPicture(benchmark::State& state)
{
    World& w = world();
    for (auto _ : state) {
        w.reset();
        FilterPixels::wave(&w.raster, 0, 4, 1.0, 0);
        benchmark::ClobberMemory();
    }
    w.reset();
}

// In this order: the peer first.
const bool registered = [] {
    benchmark::RegisterBenchmark("AlphaFrame (peer)", AlphaFrame);
    benchmark::RegisterBenchmark("Water/step", Animated<CWaterFilter>);
    benchmark::RegisterBenchmark("Waving/step", Animated<CWavingFilter>)->Iterations(101 * 20);
    benchmark::RegisterBenchmark("Waving/picture", WavingPicture);
    benchmark::RegisterBenchmark("Negative", [](benchmark::State& s) { Still<CNegativeFilter>(s, {}); });
    benchmark::RegisterBenchmark("GrayScale", [](benchmark::State& s) { Still<CGrayScaleFilter>(s, {}); });
    benchmark::RegisterBenchmark("ColorChannel", [](benchmark::State& s) { Still<CColorChannelFilter>(s, {{"CHANNELS", "RB"}}); });
    benchmark::RegisterBenchmark("Scale 0.5 x 2", [](benchmark::State& s) {
        Still<CScaleFilter>(s, {{"FACTORX", "0.5"}, {"FACTORY", "2.0"}});
    });
    benchmark::RegisterBenchmark("Blur 3", [](benchmark::State& s) { Still<CBlurFilter>(s, {}); });
    benchmark::RegisterBenchmark("Rotate 90", [](benchmark::State& s) { Still<CRotateFilter>(s, {{"ANGLE", "90"}}); });
    benchmark::RegisterBenchmark("RandomJitter", [](benchmark::State& s) { Still<CRandomJitterFilter>(s, {}); });
    benchmark::RegisterBenchmark("Waves", [](benchmark::State& s) { Still<CWavesFilter>(s, {}); });
    return true;
}();

} // namespace
