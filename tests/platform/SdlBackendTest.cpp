#include "platform/SdlBackend.h"

#include "platform/Clock.h"
#include "platform/KeyCodes.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

using platform::DisplayMode;
using platform::DisplayResult;
using platform::Event;
using platform::MouseButton;
using platform::PixelView;
using platform::SdlBackend;

namespace {

// SDL's offscreen video driver and its software renderer: the back end runs its real code
// without a display, and what it drew can be read back.
class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        backend = SdlBackend::create();
        ASSERT_NE(backend, nullptr) << SDL_GetError();
    }

    void drainEvents()
    {
        while (backend->events().poll()) {
        }
    }

    std::vector<Event> eventsAfterPushing(std::vector<SDL_Event> pushed)
    {
        drainEvents();
        for (SDL_Event& event : pushed)
            SDL_PushEvent(&event);
        std::vector<Event> taken;
        while (auto event = backend->events().poll())
            taken.push_back(*event);
        return taken;
    }

    // The window's pixels as 32-bit ARGB, row after row.
    std::vector<uint32_t> readBack(int& width, int& height)
    {
        SDL_Renderer* renderer = SDL_GetRenderer(backend->display().window());
        SDL_GetRendererOutputSize(renderer, &width, &height);
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        EXPECT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4), 0)
            << SDL_GetError();
        return pixels;
    }

    std::unique_ptr<SdlBackend> backend;
};

// A frame of many different pixel values, so that a swapped channel or a lost bit shows.
std::vector<uint16_t> patternFrame(int width, int height, uint16_t mask)
{
    std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[static_cast<size_t>(y) * width + x] = static_cast<uint16_t>((x * 37 + y * 1009) & mask);
    return pixels;
}

uint16_t to565(uint32_t argb)
{
    return static_cast<uint16_t>(((argb >> 19) & 0x1F) << 11 | ((argb >> 10) & 0x3F) << 5 | ((argb >> 3) & 0x1F));
}

uint16_t to555(uint32_t argb)
{
    return static_cast<uint16_t>(((argb >> 19) & 0x1F) << 10 | ((argb >> 11) & 0x1F) << 5 | ((argb >> 3) & 0x1F));
}

SDL_Event keyEvent(Uint32 type, SDL_Scancode scancode, Uint8 repeat)
{
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = scancode;
    event.key.repeat = repeat;
    return event;
}

SDL_Event buttonEvent(Uint32 type, Uint8 button, Uint8 clicks, int x, int y)
{
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.clicks = clicks;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event windowEvent(SDL_WindowEventID id, int data1 = 0, int data2 = 0)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

} // namespace

TEST_F(SdlBackendTest, ShowsTheFramePixelForPixelAtBothDepths)
{
    struct Case {
        int bitsPerPixel;
        uint16_t mask;
        uint16_t (*convert)(uint32_t);
    };
    for (const Case& c : {Case{16, 0xFFFF, to565}, Case{15, 0x7FFF, to555}}) {
        DisplayMode mode;
        mode.bitsPerPixel = c.bitsPerPixel;
        ASSERT_EQ(backend->display().open(mode), DisplayResult::Ok) << SDL_GetError();
        const std::vector<uint16_t> frame = patternFrame(800, 600, c.mask);
        backend->display().presentWhole(PixelView{frame.data(), 800, 600, 1600});

        int width = 0;
        int height = 0;
        const std::vector<uint32_t> shown = readBack(width, height);
        ASSERT_EQ(width, 800);
        ASSERT_EQ(height, 600);
        for (size_t i = 0; i < shown.size(); ++i)
            ASSERT_EQ(c.convert(shown[i]), frame[i]) << c.bitsPerPixel << " bits, pixel " << i;
    }
}

TEST_F(SdlBackendTest, UploadsOnlyTheChangedRectanglesAndLetterboxesAWiderWindow)
{
    ASSERT_EQ(backend->display().open(DisplayMode{}), DisplayResult::Ok);
    std::vector<uint16_t> frame(800 * 600, 0xF800); // red
    const PixelView view{frame.data(), 800, 600, 1600};
    backend->display().presentWhole(view);

    std::fill(frame.begin(), frame.end(), 0x001F); // blue, but only one rectangle is handed over
    const platform::Rect changed[] = {{100, 100, 200, 150}};
    backend->display().present(view, changed);

    SDL_SetWindowSize(backend->display().window(), 1000, 600);
    drainEvents();
    EXPECT_EQ(backend->display().letterbox().viewport(), (platform::Rect{100, 0, 900, 600}));
    backend->display().presentWhole(PixelView{backend->display().screen().view()});

    int width = 0;
    int height = 0;
    const std::vector<uint32_t> shown = readBack(width, height);
    ASSERT_EQ(width, 1000);
    auto at = [&](int x, int y) { return to565(shown[static_cast<size_t>(y) * width + x]); };
    EXPECT_EQ(at(50, 300), 0);          // bar
    EXPECT_EQ(at(950, 300), 0);         // bar
    EXPECT_EQ(at(100 + 10, 10), 0xF800);  // still red
    EXPECT_EQ(at(100 + 150, 120), 0x001F); // the changed rectangle
    EXPECT_EQ(at(100 + 250, 120), 0xF800);

    // Mouse places come in client coordinates of the logical screen.
    const auto taken = eventsAfterPushing({buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 150, 40)});
    EXPECT_EQ(taken, (std::vector<Event>{Event::mouseDown(MouseButton::Left, {50, 40})}));
    SDL_SetWindowSize(backend->display().window(), 800, 600);
}

TEST_F(SdlBackendTest, TranslatesSdlEventsIntoTheEnginesEvents)
{
    ASSERT_EQ(backend->display().open(DisplayMode{}), DisplayResult::Ok);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 12;
    motion.motion.y = 34;

    const std::vector<Event> taken = eventsAfterPushing({
        keyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, 0),
        keyEvent(SDL_KEYDOWN, SDL_SCANCODE_A, 1), // SDL's repeat of a held key
        keyEvent(SDL_KEYUP, SDL_SCANCODE_A, 0),
        keyEvent(SDL_KEYDOWN, SDL_SCANCODE_RALT, 0),
        keyEvent(SDL_KEYDOWN, SDL_SCANCODE_AUDIOMUTE, 0), // no key code
        motion,
        buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 5, 6),
        buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 5, 6),
        buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 2, 5, 6),
        buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 3, 5, 6), // a third press is a single one again
        buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2, 7, 8), // only the left button double-clicks
        buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 9, 10),
        buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 9, 10), // a button the engine does not know
        windowEvent(SDL_WINDOWEVENT_FOCUS_LOST),
        windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED),
        windowEvent(SDL_WINDOWEVENT_MOVED, 40, 50),
        windowEvent(SDL_WINDOWEVENT_EXPOSED),
        quit,
    });
    const std::vector<Event> expected = {
        Event::keyDown(platform::key::A),
        Event::keyUp(platform::key::A),
        Event::keyDown(platform::key::RightAlt),
        Event::mouseMove({12, 34}),
        Event::mouseDown(MouseButton::Left, {5, 6}),
        Event::mouseUp(MouseButton::Left, {5, 6}),
        Event::mouseDown(MouseButton::Left, {5, 6}),
        Event::doubleClick({5, 6}),
        Event::mouseDown(MouseButton::Left, {5, 6}),
        Event::mouseDown(MouseButton::Right, {7, 8}),
        Event::mouseUp(MouseButton::Middle, {9, 10}),
        Event::activate(false),
        Event::activate(true),
        Event::moved({40, 50}),
        Event::expose(),
        Event::quit(),
    };
    EXPECT_EQ(taken, expected);
}

TEST_F(SdlBackendTest, WaitsForTheDueTickUnlessAnEventComes)
{
    drainEvents();
    const uint32_t start = platform::tickCount();
    EXPECT_FALSE(backend->events().waitUntil(start + 30));
    EXPECT_GE(platform::tickCount() - start, 30u);

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    const uint32_t before = platform::tickCount();
    EXPECT_TRUE(backend->events().waitUntil(before + 5000));
    EXPECT_LT(platform::tickCount() - before, 1000u);
    EXPECT_EQ(backend->events().poll(), Event::quit());
}

TEST_F(SdlBackendTest, CountsCursorVisibilityAndClipsThePointer)
{
    ASSERT_EQ(backend->display().open(DisplayMode{}), DisplayResult::Ok);
    auto& cursors = backend->cursors();
    // The offscreen driver has no system cursors: the shape is null, and setting it changes nothing.
    SDL_Cursor* before = SDL_GetCursor();
    cursors.set(cursors.systemCursor(platform::SystemCursor::Wait));
    EXPECT_EQ(SDL_GetCursor(), before);

    EXPECT_EQ(cursors.hide(), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(cursors.hide(), -2);
    EXPECT_EQ(cursors.show(), -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_EQ(cursors.show(), 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    cursors.clipTo(platform::Rect{10, 20, 110, 220});
    const SDL_Rect* clip = SDL_GetWindowMouseRect(backend->display().window());
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ((std::vector<int>{clip->x, clip->y, clip->w, clip->h}), (std::vector<int>{10, 20, 100, 200}));
    cursors.clipTo(std::nullopt);
    EXPECT_EQ(SDL_GetWindowMouseRect(backend->display().window()), nullptr);
}
