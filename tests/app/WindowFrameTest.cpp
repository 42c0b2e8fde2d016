#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "graphics/CCanvasObserver.h"
#include "graphics/CColor.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CSurface.h"
#include "graphics/CTarga.h"
#include "media/CDXMouse.h"
#include "media/CKeyboard.h"
#include "media/CMC_Mouse.h"
#include "media/CMusic.h"
#include "script/CMElement.h"
#include "script/CMC_Object.h"
#include "text/CUnit6.h"

#include "app/HeadlessWindow.h"
#include "graphics/RasterMaker.h"
#include "media/SoundTestKit.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

using platform::Rect;

namespace {

constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;

// The screen as the frame should show it: everything of one colour, then single pixels.
std::vector<uint16_t> screenOf(uint16_t colour)
{
    return std::vector<uint16_t>(800 * 600, colour);
}

std::vector<uint16_t> shownPixels(const platform::HeadlessDisplay& display)
{
    const platform::ScreenImage& screen = display.screen();
    std::vector<uint16_t> pixels;
    for (int y = 0; y < screen.height(); ++y)
        for (int x = 0; x < screen.width(); ++x)
            pixels.push_back(screen.pixel(x, y));
    return pixels;
}

void paint(std::vector<uint16_t>& screen, const CXRect& r, uint16_t colour)
{
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            screen[static_cast<size_t>(y) * 800 + x] = colour;
}

class WindowFrame : public ::testing::Test {
protected:
    WindowFrame() { headless.open(); }

    HeadlessWindow headless;
    CWindow& window = headless.window();
    CRefreshScreen* screen() { return window.GetRefreshScreenInterface(); }
};

// Counts the application's frames.
class CountingApplication : public CApplication {
public:
    explicit CountingApplication(CWindow* window) : CApplication(window, "", "", nullptr) {}
    bool domodal() override
    {
        ++frames;
        return false;
    }
    int frames = 0;
};

class FocusLog : public CCanvasObserver {
public:
    void onFocusOn() override { events.push_back("on"); }
    void onFocusOff() override { events.push_back("off"); }
    std::vector<std::string> events;
};

} // namespace

TEST_F(WindowFrame, OneFramePresentsTheBackgroundAndBothRastersExactly)
{
    CColor blue(0, 0, 248);
    window.SetBackground(&blue);
    auto opaque = makeFilled(4, 3, 16, kRed);
    opaque->SetPosition(10, 10);
    auto soft = makeRaster(4, 1, 16, {kGreen, kGreen, kGreen, kGreen}, {255, 128, 64, 0});
    soft->SetPosition(20, 20);
    screen()->put(opaque.get(), 1);
    screen()->put(soft.get(), 2);

    window.domodal();

    std::vector<uint16_t> expected = screenOf(kBlue);
    paint(expected, CXRect(10, 10, 14, 13), kRed);
    // Green over blue, by hand: each field (s x a + d x (256 - a)) / 256, green in its top
    // five bits: a = 128 gives green 15, blue 15; a = 64 green 7, blue 23.
    paint(expected, CXRect(20, 20, 21, 21), kGreen);
    paint(expected, CXRect(21, 20, 22, 21), 15 << 6 | 15);
    paint(expected, CXRect(22, 20, 23, 21), 7 << 6 | 23);
    EXPECT_EQ(shownPixels(headless.display()), expected);
    EXPECT_EQ(headless.display().presentCount(), 1);
    EXPECT_EQ(headless.display().lastPresented(), (std::vector<Rect>{{0, 0, 800, 600}}));
}

TEST_F(WindowFrame, AMoveShowsTheOldAndNewBoxesAndAStillFrameShowsNothing)
{
    CColor blue(0, 0, 248);
    window.SetBackground(&blue);
    auto opaque = makeFilled(4, 3, 16, kRed);
    opaque->SetPosition(10, 10);
    screen()->put(opaque.get(), 1);
    window.domodal();

    opaque->Move(2, 0);
    window.domodal();
    EXPECT_EQ(headless.display().presentCount(), 2);
    EXPECT_EQ(headless.display().lastPresented(), (std::vector<Rect>{{10, 10, 16, 13}}));
    std::vector<uint16_t> expected = screenOf(kBlue);
    paint(expected, CXRect(12, 10, 16, 13), kRed);
    EXPECT_EQ(shownPixels(headless.display()), expected);

    window.domodal();
    EXPECT_EQ(headless.display().presentCount(), 2);
}

TEST_F(WindowFrame, TheFrameAfterTheUnitsInitialUpdateRedrawsEverythingAndStartsTheMusic)
{
    headless.folder().write("theme.wav", wav::riff(wav::fmt(1, 1, 22050, 16) +
                                                   wav::chunk("data", wav::samples16(std::vector<int16_t>(22050, 7)))));
    CApplication application(&window, "", "", nullptr);
    window.domodal();
    window.domodal();
    ASSERT_EQ(headless.display().presentCount(), 1);

    CMElement definition("Intro");
    definition.addProperty("MUSIC", "theme.wav");
    auto* scene = new CMC_Scene(&window, nullptr, &definition, CMC_Object::TYPE_SCENE);
    CUnit6* unit = CMC_Scene::getDefUnit();
    ASSERT_NE(unit, nullptr);
    unit->initialize(scene, nullptr);

    // The initial update makes the whole screen dirty for its own frame and the next.
    for (int frame = 2; frame <= 3; ++frame) {
        window.domodal();
        EXPECT_EQ(headless.display().presentCount(), frame);
        EXPECT_EQ(headless.display().lastPresented(), (std::vector<Rect>{{0, 0, 800, 600}}));
    }
    EXPECT_TRUE(unit->wasInitiallyUpdated());
    EXPECT_TRUE(window.isMusicPlaying());
    EXPECT_EQ(window.getMusicInterface()->getFileName(), CWindow::rootPath + "theme.wav");
    window.domodal();
    EXPECT_EQ(headless.display().presentCount(), 3);

    CMC_Scene::doneDefUnit();
    delete scene;
}

TEST(WindowDisplay, ARefusedSixteenBitModeGivesFiveFiveFiveFrames)
{
    HeadlessWindow headless;
    CWindow& window = headless.window();
    headless.display().refuseDepth(16);
    window.OnActivateApp(true);
    EXPECT_NE(window.SetDisplayMode(0, 0, 16), 0);
    EXPECT_EQ(window.GetRefreshScreenInterface(), nullptr);
    ASSERT_EQ(window.SetDisplayMode(0, 0, 15), 0);
    EXPECT_EQ(window.GetBpp(), 15);
    EXPECT_TRUE(headless.display().mode().fullScreen);

    CColor red(248, 0, 0);
    window.SetBackground(&red);
    auto raster = makeFilled(2, 2, 16, kGreen);
    window.GetRefreshScreenInterface()->put(raster.get(), 0);
    window.domodal();
    EXPECT_EQ(headless.pixel(0, 0), 0x03E0);
    EXPECT_EQ(headless.pixel(2, 2), 0x7C00);

    // A picture loaded by name ends at the screen's depth: white of a 2 x 2 24-bit TGA.
    const std::string header{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0};
    headless.folder().write("white.tga", header + std::string(12, '\xFF'));
    CTarga picture(&window, "white.tga");
    EXPECT_EQ(picture.GetBpp(), 15);
    EXPECT_EQ(*reinterpret_cast<uint16_t*>(picture.GetDataPtr()), 0x7FFF);
}

TEST(WindowDisplay, ModeZeroTakesTheScreenSizeAndASecondModeReplacesTheSurfaces)
{
    HeadlessWindow headless;
    CWindow& window = headless.window();
    ASSERT_EQ(window.SetDisplayMode(0, 0, 16), 0);
    EXPECT_EQ(headless.display().mode().width, 800);
    EXPECT_EQ(headless.display().mode().height, 600);
    EXPECT_EQ(window.GetScreenSize().width, 800);
    auto raster = makeFilled(2, 2, 16, kGreen);
    window.GetRefreshScreenInterface()->put(raster.get(), 0);

    ASSERT_EQ(window.SetDisplayMode(0, 0, 16), 0);
    EXPECT_EQ(raster->GetCanvas(), nullptr);
    EXPECT_EQ(window.GetRefreshScreenInterface()->getIndex(raster.get()), -1);
}

TEST(WindowDisplay, WithoutABackEndThereIsNoDisplay)
{
    CurrentFolderGuard guard;
    const CXString savedRoot = CWindow::rootPath;
    CLanguageOSVer language;
    {
        CWindow window(&language, "");
        EXPECT_NE(window.CreateSurface(), 0);
        EXPECT_EQ(window.GetRefreshScreenInterface(), nullptr);
        window.OnActivateApp(true);
        EXPECT_FALSE(window.domodal());
    }
    CWindow::rootPath = savedRoot;
}

TEST_F(WindowFrame, AnInactiveWindowDrawsAndPollsNothingYetTheApplicationWorksOn)
{
    CountingApplication application(&window);
    window.OnActivateApp(false);
    headless.backend().events().inject(platform::Event::keyDown(0x1E));
    EXPECT_FALSE(headless.turn());
    EXPECT_EQ(application.frames, 1);
    EXPECT_EQ(headless.display().presentCount(), 0);

    window.quit();
    EXPECT_TRUE(headless.turn());
    EXPECT_EQ(application.frames, 2);
}

TEST_F(WindowFrame, ActivationIsToldOnceEachWayAndTakesThePointerClipAlong)
{
    FocusLog log;
    screen()->addNotifier(&log);
    screen()->enableNotifyFlag(true);
    CMC_Mouse::clipTo(CXRect(10, 20, 110, 220));

    window.OnActivateApp(true);
    window.OnActivateApp(false);
    EXPECT_EQ(headless.backend().cursors().clip(), std::nullopt);
    window.OnActivateApp(false);
    window.OnActivateApp(true);
    EXPECT_EQ(log.events, (std::vector<std::string>{"off", "on"}));
    EXPECT_EQ(headless.backend().cursors().clip(), (Rect{10, 20, 110, 220}));

    CMC_Mouse::reset(true);
    window.OnActivateApp(false);
    window.OnActivateApp(true);
    EXPECT_EQ(headless.backend().cursors().clip(), std::nullopt);
    screen()->removeNotifier(&log);
}

TEST_F(WindowFrame, WindowEventsRedrawTheScreenAndAClosedWindowEndsTheLoop)
{
    CColor blue(0, 0, 248);
    window.SetBackground(&blue);
    window.domodal();
    platform::HeadlessEvents& events = headless.backend().events();

    events.inject(platform::Event::expose());
    headless.turn();
    EXPECT_EQ(headless.display().presentCount(), 2);
    EXPECT_EQ(headless.display().lastPresented(), (std::vector<Rect>{{0, 0, 800, 600}}));

    // A move redraws at once, while the events are taken.
    events.inject(platform::Event::moved({30, 40}));
    window.pumpEvents();
    EXPECT_EQ(headless.display().presentCount(), 3);
    EXPECT_EQ(screen()->GetPosition(), CXPoint(30, 40));

    // Focus comes back with the whole screen.
    events.inject(platform::Event::activate(false));
    events.inject(platform::Event::activate(true));
    headless.turn();
    EXPECT_EQ(headless.display().presentCount(), 4);

    events.inject(platform::Event::quit());
    window.run(10);
    EXPECT_FALSE(window.pumpEvents());
}

TEST_F(WindowFrame, TheLoopWaitsForTheNextFrameAndEndsWhenTheProgramQuits)
{
    CountingApplication application(&window);
    class QuitAfter : public CTimerNotificator {
    public:
        explicit QuitAfter(CWindow& window) : window_(window) {}
        void onTimer(int) override { window_.quit(); }

    private:
        CWindow& window_;
    } quitter(window);
    window.GetTimerInterface()->add(1, 100, &quitter);
    const uint32_t start = platform::tickCount();
    window.run(10);
    // Frames every 10 ms of the manual clock until the 100 ms timer asked to quit.
    EXPECT_EQ(platform::tickCount() - start, 100u);
    EXPECT_EQ(application.frames, 11);
}

TEST(WindowErrors, TheMessageTellsTheDeviceThatFailed)
{
    struct Case {
        int code;
        const char* shown; // UTF-8, as the message box gets it
    };
    const Case cases[] = {
        {0, nullptr},
        {CWindow::ERROR_GRAPHICS, "Nieprawidłowe działanie karty graficznej."},
        {CWindow::ERROR_SOUND, "Nieprawidłowe działanie karty dźwiękowej."},
        {5, "Nieznany błąd krytyczny."},
    };
    for (const Case& c : cases) {
        HeadlessWindow headless;
        headless.window().setErrorCode(c.code);
        headless.window().ShowError("Kestrum");
        const auto& shown = headless.backend().messageBox().shown();
        if (c.shown == nullptr) {
            EXPECT_TRUE(shown.empty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1u) << c.code;
        EXPECT_EQ(shown[0].caption, "Kestrum");
        EXPECT_EQ(shown[0].text, c.shown);
    }
}

// Paced by work, the loop sleeps from one frame that has work to the next: the first one, each
// timer's, and each one that draws what the timer changed, all on the regular 10 ms beat.
TEST_F(WindowFrame, PacedByWorkTheLoopRunsOnlyTheFramesThatHaveSome)
{
    CountingApplication application(&window);
    window.domodal();
    class Changer : public CTimerNotificator {
    public:
        explicit Changer(CWindow& window) : window_(window) {}
        void onTimer(int) override
        {
            CXRect area(0, 0, 8, 8);
            window_.Invalidate(&area);
            if (++fired == 3)
                window_.quit();
        }
        int fired = 0;

    private:
        CWindow& window_;
    } changer(window);
    const uint32_t start = platform::tickCount();
    window.GetTimerInterface()->add(1, 95, &changer);
    std::vector<uint32_t> frames;
    window.run(10, {}, [&] { frames.push_back(platform::tickCount() - start); }, CWindow::Pacing::WhenDue);
    EXPECT_EQ(frames, (std::vector<uint32_t>{0, 100, 110, 200, 210, 300}));
    EXPECT_EQ(headless.display().presentCount(), 3);
}

// What a frame does whenever it comes keeps frames coming every period; otherwise the next
// frame waits for the soonest timer, and an inactive program's for an event.
TEST_F(WindowFrame, ChangesInputAndObserversWantTheNextFrameTimersTheirOwn)
{
    CApplication application(&window, "", "", nullptr);
    window.domodal();
    const uint32_t now = platform::tickCount();
    EXPECT_EQ(window.nextWorkDue(), now + 10000) << "the deferred-delete bin's timer";
    window.GetTimerInterface()->add(1, 250, nullptr);
    FocusLog observer;
    EXPECT_EQ(window.nextWorkDue(), now + 250);

    const struct {
        const char* what;
        std::function<void()> make;
        std::function<void()> undo;
    } busy[] = {
        {"a dirty area", [&] { window.Invalidate(); }, [&] { window.domodal(); }},
        {"a key held down",
         [&] {
             window.getKeyboardInterface()->post(30, true);
             window.domodal();
         },
         [&] {
             window.getKeyboardInterface()->post(30, false);
             window.domodal();
         }},
        {"a pointer move", [&] { window.getDXMouseInterface()->postMove(CXPoint(5, 5)); }, [&] { window.domodal(); }},
        {"a canvas observer", [&] { screen()->addNotifier(&observer); }, [&] { screen()->removeNotifier(&observer); }},
    };
    for (const auto& thing : busy) {
        SCOPED_TRACE(thing.what);
        thing.make();
        EXPECT_EQ(window.nextWorkDue(), platform::tickCount());
        thing.undo();
        EXPECT_EQ(window.nextWorkDue(), now + 250);
    }
    window.Invalidate();
    window.OnActivateApp(false);
    EXPECT_EQ(window.nextWorkDue(), std::nullopt) << "only activation gives an inactive program work";
}

// Paced by work, an idle loop sleeps until the deferred-delete bin's timer, 10 s on; work that
// comes from another thread wakes it at once.
TEST(WindowLoop, AWakeFromAnotherThreadEndsTheSleepOfALoopPacedByWork)
{
    CurrentFolderGuard guard;
    TempFolder folder;
    platform::changeFolder(folder.path().string());
    const CXString savedRoot = CWindow::rootPath;
    const CXString savedExe = CWindow::exePath;
    platform::HeadlessBackend backend(platform::HeadlessBackend::Time::System);
    CLanguageOSVer language;
    {
        CWindow window(&backend, nullptr, &language, CXSize(800, 600), nullptr, "");
        window.OnActivateApp(true);
        window.CreateSurface();
        std::atomic<bool> workCame{false};
        std::thread worker([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            workCame = true;
            window.wake();
        });
        int frames = 0;
        const auto start = std::chrono::steady_clock::now();
        window.run(10, [&] { return ++frames < 2 || !workCame; }, {}, CWindow::Pacing::WhenDue);
        worker.join();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_LE(frames, 4) << "the first frames, then the woken one";
    }
    CWindow::rootPath = savedRoot;
    CWindow::exePath = savedExe;
}
