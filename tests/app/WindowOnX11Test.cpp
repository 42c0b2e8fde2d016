#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CRefreshScreen.h"
#include "platform/SdlBackend.h"

#include "CurrentFolderGuard.h"
#include "graphics/RasterMaker.h"

#include <SDL.h>
#include <gtest/gtest.h>

// The engine's window on SDL's X11 driver: a real window on an X server, which CTest starts
// through xvfb-run (the test is disabled in the plain run, which has no X server).
TEST(WindowOnX11, DISABLED_PresentsAComposedFrameThatReadsBackAtFiveSixFivePrecision)
{
    // SDL's own software renderer draws into the X window; no OpenGL driver is loaded.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    std::unique_ptr<platform::SdlBackend> backend = platform::SdlBackend::create();
    ASSERT_NE(backend, nullptr) << SDL_GetError();

    CurrentFolderGuard guard;
    const CXString savedRoot = CWindow::rootPath;
    CLanguageOSVer language;
    {
        CWindow window(backend.get(), nullptr, &language, CXSize(800, 600), nullptr, "");
        window.OnActivateApp(true);
        ASSERT_EQ(window.CreateSurface(), 0);

        // Many different pixel words, so that a swapped channel or a lost bit shows; a square of
        // half-transparent white over them.
        std::vector<uint16_t> pattern(800 * 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                pattern[static_cast<size_t>(y) * 800 + x] = static_cast<uint16_t>(x * 37 + y * 1009);
        auto picture = makeRaster(800, 600, 16, pattern);
        auto square = makeRaster(2, 1, 16, {0xFFFF, 0xFFFF}, {255, 128});
        square->SetPosition(400, 300);
        window.GetRefreshScreenInterface()->put(picture.get(), 0);
        window.GetRefreshScreenInterface()->put(square.get(), 1);
        window.domodal();

        std::vector<uint16_t> expected = pattern;
        expected[300 * 800 + 400] = 0xFFFF;
        const uint16_t under = pattern[300 * 800 + 401];
        const auto mix = [](int s, int d) { return (s * 128 + d * 128) >> 8; };
        expected[300 * 800 + 401] = static_cast<uint16_t>(mix(31, under >> 11) << 11 |
                                                          mix(31, under >> 6 & 31) << 6 | mix(31, under & 31));

        SDL_Renderer* renderer = SDL_GetRenderer(backend->display().window());
        int width = 0, height = 0;
        SDL_GetRendererOutputSize(renderer, &width, &height);
        ASSERT_EQ(width, 800);
        ASSERT_EQ(height, 600);
        std::vector<uint32_t> shown(800 * 600);
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shown.data(), 800 * 4), 0)
            << SDL_GetError();
        int wrong = 0;
        for (size_t i = 0; i < shown.size(); ++i) {
            const uint32_t argb = shown[i];
            const auto word = static_cast<uint16_t>(((argb >> 19) & 0x1F) << 11 | ((argb >> 10) & 0x3F) << 5 |
                                                    ((argb >> 3) & 0x1F));
            wrong += word != expected[i];
        }
        EXPECT_EQ(wrong, 0);
    }
    CWindow::rootPath = savedRoot;
}
