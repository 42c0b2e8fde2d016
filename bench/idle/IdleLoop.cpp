// The program's loop over a still scene on the desktop back end, for a while: how much of one
// core the waiting between frames leaves in use. Prints the frames run, the wall time and the
// processor time (user and system) per second of wall time.
// Usage: IdleLoop [seconds] (10 by default); it needs a display (tools/idle runs it under Xvfb).
#include "app/CApplication.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CColor.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "platform/FramePacer.h"
#include "platform/SdlBackend.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class CountingApplication : public CApplication {
public:
    explicit CountingApplication(CWindow* window) : CApplication(window, "", "", nullptr) {}
    bool domodal() override
    {
        ++frames;
        return false;
    }
    long frames = 0;
};

class QuitTimer : public CTimerNotificator {
public:
    explicit QuitTimer(CWindow& window) : window_(window) {}
    void onTimer(int) override { window_.quit(); }

private:
    CWindow& window_;
};

} // namespace

int main(int argc, char** argv)
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    std::unique_ptr<platform::SdlBackend> backend = platform::SdlBackend::create();
    if (backend == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    CLanguageOSVer language;
    CWindow window(backend.get(), nullptr, &language, CXSize(800, 600), nullptr, "");
    window.OnActivateApp(true);
    if (window.CreateSurface() != 0) {
        std::fprintf(stderr, "the display did not open\n");
        return 1;
    }
    CountingApplication application(&window);

    // A still scene: a background and a few pictures that nothing moves.
    CColor sky(40, 80, 160);
    window.SetBackground(&sky);
    std::vector<std::unique_ptr<CGraphicsObject>> pictures;
    for (int i = 0; i < 8; ++i) {
        auto picture = std::make_unique<CGraphicsObject>(&window, CXSize(64, 64), 16);
        CColor colour(static_cast<unsigned char>(i * 30), 200, 100);
        picture->Fill(&colour);
        picture->SetPosition(40 + i * 90, 250);
        window.GetRefreshScreenInterface()->put(picture.get(), i);
        pictures.push_back(std::move(picture));
    }

    QuitTimer quitTimer(window);
    window.GetTimerInterface()->add(1, static_cast<unsigned>(seconds) * 1000, &quitTimer);
    const double processorStart = processorSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    window.run(platform::FramePacer::kDefaultPeriodMs);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    const double processor = processorSeconds() - processorStart;

    std::printf("frames: %ld in %.2f s of wall time (%.1f per second)\n", application.frames, wall,
                application.frames / wall);
    std::printf("processor time: %.3f s = %.2f %% of one core\n", processor, 100.0 * processor / wall);
    return 0;
}
