// A screen of 300 BUTTONs shaped by their pictures, each with a standard and a pointed-at look
// and its focus signals bound to a behaviour, under a pointer that sweeps along the rows one
// step a frame: the mouse dispatch of a frame (the hot spots, the buttons' looks and sounds,
// the signals and the behaviours they run, the window's mouse listeners) beside the composer
// pass of the same frame, which draws what the dispatch changed, and, for scale, a pass of
// the composer over the whole screen. Then the composer's pass alone over one button whose
// look changes, with 300 buttons and with 600 on a window twice as tall: the pass is to cost
// what the changed area overlaps, not what the screen holds. The scene's first frames come
// before the timing.
#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CTextFileReader.h"
#include "graphics/CGraphicsObject.h"
#include "platform/HeadlessBackend.h"
#include "platform/PathResolver.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"
#include "script/CMElementsLoader.h"
#include "text/CUnit6.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kColumns = 20;
constexpr int kRows = 15;
constexpr int kWidth = 36;
constexpr int kHeight = 26;
constexpr int kPitchX = 40;
constexpr int kPitchY = 30;

// A picture of a gradient from the word; a button's look is opaque inside an ellipse and
// transparent around it, with a soft edge, so that its pixels shape the button.
void writePicture(const std::string& file, int x, int y, uint16_t word, CXSize size = CXSize(kWidth, kHeight))
{
    CGraphicsObject raster(nullptr, size, 16);
    auto* pixels = reinterpret_cast<uint16_t*>(raster.GetDataPtr());
    for (int i = 0; i < size.mul(); ++i)
        pixels[i] = static_cast<uint16_t>(word + i);
    if (size.width == kWidth && size.height == kHeight) {
        char* alpha = new char[static_cast<size_t>(size.mul())];
        for (int row = 0; row < kHeight; ++row)
            for (int column = 0; column < kWidth; ++column) {
                const double dx = (column - (kWidth - 1) / 2.0) / (kWidth / 2.0);
                const double dy = (row - (kHeight - 1) / 2.0) / (kHeight / 2.0);
                const double inside = std::clamp((1.0 - std::hypot(dx, dy)) * 6.0, 0.0, 1.0);
                alpha[row * kWidth + column] = static_cast<char>(std::lround(inside * 255));
            }
        raster.AlphaChannel(alpha);
    }
    raster.SetPosition(x, y);
    raster.Save(CXString(file.c_str()), COMPRESSION_NONE);
}

std::string definitions(int rows)
{
    std::string text = "OBJECT=NOOP\nNOOP:TYPE=BEHAVIOUR\nNOOP:CODE={}\n";
    for (int k = 0; k < kColumns * rows; ++k) {
        const std::string n = std::to_string(k);
        const int x = (k % kColumns) * kPitchX;
        const int y = (k / kColumns) * kPitchY;
        writePicture("s" + n + ".img", x, y, 0x1111);
        writePicture("m" + n + ".img", x, y, 0x2222);
        for (const char* look : {"S", "M"})
            text += "OBJECT=" + std::string(look) + n + "\n" + look + n + ":TYPE=IMAGE\n" + look + n + ":FILENAME=" +
                    (*look == 'S' ? "s" : "m") + n + ".img\n" + look + n + ":TOCANVAS=TRUE\n" + look + n +
                    ":VISIBLE=TRUE\n" + look + n + ":PRIORITY=" + std::to_string(k % 7) + "\n";
        const std::string b = "B" + n;
        text += "OBJECT=" + b + "\n" + b + ":TYPE=BUTTON\n" + b + ":GFXSTANDARD=S" + n + "\n" + b + ":GFXONMOVE=M" + n +
                "\n" + b + ":ENABLE=TRUE\n" + b + ":ONFOCUSON=NOOP\n" + b + ":ONFOCUSOFF=NOOP\n";
    }
    return text;
}

// The scene on an active headless window in a folder of its own; the window is as tall as the
// rows need, 600 pixels for the first 15.
struct ButtonScreen {
    explicit ButtonScreen(int rows = kRows)
        : rows(rows)
    {
        const CXSize screenSize(800, 600 * rows / kRows);
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrum-bench-buttons-XXXXXX").string();
        folder = mkdtemp(pattern.data());
        platform::changeFolder(folder);
        CMC_VariableFactory::initialize();
        registerScriptTypes();
        CMC_RunnerFactory::initialize();
        window = std::make_unique<CWindow>(&backend, nullptr, &language, screenSize,
                                           backend.cursors().systemCursor(platform::SystemCursor::Arrow), "");
        window->OnActivateApp(true);
        window->CreateSurface();
        application = std::make_unique<CApplication>(window.get(), "", "", nullptr);
        scene = std::make_unique<CMC_Scene>(window.get(), nullptr, &element, CMC_Object::TYPE_SCENE);
        writePicture("background.img", 0, 0, 0x0841, screenSize);
        CMC_Scene::getDefUnit()->setBackgroundFileName("background.img");
        CMC_Scene::getDefUnit()->initialize(scene.get(), nullptr);
        const std::string text = definitions(rows);
        auto* reader = new CTextFileReader(window.get(), text.c_str(), static_cast<int>(text.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(window.get(), reader));
        std::unique_ptr<CMElements> leftOver(scene->resolveObjects(elements.get()));
        window->Redraw();
        window->Redraw();
    }
    ~ButtonScreen()
    {
        scene->unload();
        CMC_Scene::getDefUnit()->done(scene.get(), nullptr);
        scene.reset();
        CMC_Scene::doneDefUnit();
        application.reset();
        window.reset();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
        std::filesystem::remove_all(folder);
    }

    // The next point of a sweep by the step: along a row, then down to the next.
    CXPoint next(int step)
    {
        const int perRow = 800 / step;
        const int row = (steps / perRow) % (rows * 3);
        const CXPoint p((steps % perRow) * step, row * kPitchY / 3 + 5);
        ++steps;
        return p;
    }

    int rows;
    platform::HeadlessBackend backend{platform::HeadlessBackend::Time::Manual};
    CLanguageOSVer language;
    std::string folder;
    std::unique_ptr<CWindow> window;
    std::unique_ptr<CApplication> application;
    CMElement element{"BUTTONS"};
    std::unique_ptr<CMC_Scene> scene;
    long steps = 0;
};

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Times the dispatch; the composer pass of each frame is timed beside it. The argument is the
// pointer's step: a few pixels (most frames move within a button), or a button's width (every
// frame leaves one button and enters the next).
void ButtonDispatch(benchmark::State& state)
{
    const auto step = static_cast<int>(state.range(0));
    ButtonScreen screen;
    double dispatch = 0;
    double composer = 0;
    for (auto _ : state) {
        const CXPoint p = screen.next(step);
        const auto start = std::chrono::steady_clock::now();
        screen.window->OnMouseMove(p, 0);
        const auto dispatched = std::chrono::steady_clock::now();
        screen.window->Redraw();
        composer += seconds(std::chrono::steady_clock::now() - dispatched);
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
        dispatch += seconds(dispatched - start);
        state.SetIterationTime(seconds(dispatched - start));
    }
    state.counters["composer_us"] = composer / static_cast<double>(state.iterations()) * 1e6;
    state.counters["dispatch/composer"] = dispatch / composer;
    // For scale: the composer's pass over the whole screen.
    constexpr int kWholeFrames = 50;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kWholeFrames; ++i) {
        screen.window->Invalidate();
        screen.window->Redraw();
    }
    state.counters["whole_screen_us"] = seconds(std::chrono::steady_clock::now() - start) / kWholeFrames * 1e6;
}
BENCHMARK(ButtonDispatch)->Arg(3)->Arg(kPitchX)->UseManualTime()->Unit(benchmark::kMicrosecond);

// Times the composer's pass alone. The pointer goes onto one button near the top and off it
// again between passes, so each pass draws the same area: that button's two looks and the
// background behind them. The argument is the number of rows of buttons.
void ComposerPass(benchmark::State& state)
{
    ButtonScreen screen(static_cast<int>(state.range(0)));
    const CXPoint over(2 * kPitchX + kWidth / 2, kPitchY + kHeight / 2);
    const CXPoint beside(2 * kPitchX + kWidth + 2, kPitchY + kHeight / 2);
    bool onButton = false;
    for (auto _ : state) {
        onButton = !onButton;
        screen.window->OnMouseMove(onButton ? over : beside, 0);
        const auto start = std::chrono::steady_clock::now();
        screen.window->Redraw();
        state.SetIterationTime(seconds(std::chrono::steady_clock::now() - start));
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
    }
    state.counters["buttons"] = kColumns * static_cast<double>(state.range(0));
}
BENCHMARK(ComposerPass)->Arg(kRows)->Arg(2 * kRows)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
