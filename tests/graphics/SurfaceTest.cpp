#include "graphics/CSurface.h"

#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CDirectDrawSurface.h"
#include "platform/DebugOutput.h"
#include "platform/HeadlessBackend.h"

#include "CurrentFolderGuard.h"
#include "RasterMaker.h"

#include <gtest/gtest.h>

namespace {

class Surface : public ::testing::Test {
protected:
    ~Surface() override
    {
        window.reset();
        CWindow::rootPath = savedRoot;
        CWindow::exePath = savedExe;
    }

    CurrentFolderGuard guard;
    CXString savedRoot = CWindow::rootPath;
    CXString savedExe = CWindow::exePath;
    platform::HeadlessBackend backend;
    CLanguageOSVer language;
    std::unique_ptr<CWindow> window =
        std::make_unique<CWindow>(&backend, nullptr, &language, CXSize(800, 600), nullptr, "");
};

} // namespace

TEST_F(Surface, CopiesRectanglesToTheClientAreaAndShowsThemTogether)
{
    CSurface surface(window.get(), CXSize(40, 30));
    ASSERT_EQ(surface.LastError(), 0);
    EXPECT_EQ(surface.GetBPP(), 16);
    EXPECT_TRUE(surface.isWindowed());
    EXPECT_FALSE(surface.IsFlippingEnabled());
    backend.display().setClientOrigin({100, 200});

    CDirectDrawSurface frame(window.get(), CXSize(40, 30), 16, false);
    auto* pixels = reinterpret_cast<uint16_t*>(frame.GetDataPtr());
    for (int i = 0; i < 40 * 30; ++i)
        pixels[i] = static_cast<uint16_t>(i);
    CXRect part(2, 3, 6, 5);
    surface.Blt(&frame, 102, 203, &part);
    CXRect other(10, 10, 12, 12);
    surface.Blt(&frame, CXPoint(100 + 30, 200 + 20), &other);
    EXPECT_EQ(backend.display().presentCount(), 0);
    surface.Present();
    EXPECT_EQ(backend.display().presentCount(), 1);
    EXPECT_EQ(backend.display().lastPresented(),
              (std::vector<platform::Rect>{{2, 3, 6, 5}, {30, 20, 32, 22}}));

    surface.Lock();
    const auto* shown = reinterpret_cast<const uint16_t*>(surface.GetScreenPtr());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown[3 * 40 + 2], 3 * 40 + 2);
    EXPECT_EQ(shown[20 * 40 + 30], 10 * 40 + 10);
    EXPECT_EQ(shown[0], 0);
}

TEST_F(Surface, AFlipShowsTheWholeDrawingSurface)
{
    ASSERT_EQ(window->CreateSurface(), 0);
    auto* pixels = reinterpret_cast<uint16_t*>(window->GetSurface()->GetDataPtr());
    pixels[799] = 0x1234;
    window->GetScreenSurface()->Flip();
    EXPECT_EQ(backend.display().lastPresented(), (std::vector<platform::Rect>{{0, 0, 800, 600}}));
    EXPECT_EQ(backend.display().screen().pixel(799, 0), 0x1234);
}

TEST_F(Surface, ARefusedDepthLeavesANonZeroErrorCode)
{
    backend.display().refuseDepth(16);
    CSurface refused(window.get(), CXSize(800, 600), 16, true);
    EXPECT_NE(refused.LastError(), 0);
    EXPECT_EQ(refused.GetBPP(), 0);
    CSurface retried(window.get(), CXSize(800, 600), 15, true);
    EXPECT_EQ(retried.LastError(), 0);
    EXPECT_EQ(retried.GetBPP(), 15);

    CSurface withoutWindow(nullptr, CXSize(800, 600));
    EXPECT_NE(withoutWindow.LastError(), 0);
}

TEST_F(Surface, TheFrameRateGoesToTheDebugOutputOnceASecond)
{
    CSurface surface(window.get(), CXSize(800, 600));
    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 50; ++frame) {
        surface.ShowFPS(CXPoint(10, 10), nullptr);
        backend.clock().advance(25);
    }
    const std::string written = testing::internal::GetCapturedStderr();
    platform::setDebugOutputEnabled(false);
    EXPECT_EQ(written, "FPS: 40\n");
}
