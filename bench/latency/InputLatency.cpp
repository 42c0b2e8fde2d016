// Event-to-behaviour latency of keys on the desktop back end: xdotool presses a key now and
// then, at random moments, while the program's loop, paced by work as the program's is, runs
// an idle scene whose KEYBOARD has a behaviour bound to its key-down signal. The press's time
// is the X server's stamp on the key event (the server counts milliseconds on the same
// monotonic clock as the program); the behaviour notes the time it runs. Prints the spread of
// the differences and the 99th percentile against the frame period.
// Usage: InputLatency [presses] (200 by default); it needs an X display with xdotool
// (tools/latency runs it under Xvfb).
#include "app/CApplication.h"
#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CTextFileReader.h"
#include "media/CKeyboard.h"
#include "platform/FramePacer.h"
#include "platform/SdlBackend.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// Milliseconds of the monotonic clock, cut to 32 bits as the X server's event times are.
uint32_t monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000);
}

// The X server's time of every key press, taken as SDL reads the events off the connection.
int notePress(void* pressTimes, SDL_Event* event)
{
    if (event->type == SDL_SYSWMEVENT && event->syswm.msg->subsystem == SDL_SYSWM_X11) {
        const XEvent& x = event->syswm.msg->msg.x11.event;
        if (x.type == KeyPress)
            static_cast<std::vector<uint32_t>*>(pressTimes)->push_back(static_cast<uint32_t>(x.xkey.time));
    }
    return 1;
}

// Notes the time at which the key-down signal runs it.
class TimingBehaviour : public CMC_Behaviour {
public:
    TimingBehaviour(CMC_ObjectsContainer* container, std::vector<uint32_t>* runTimes)
        : CMC_Behaviour(container, CXString("NOTE"), CXString())
        , runTimes_(runTimes)
    {
    }
    bool run(CMC_Object*, CXArray*, bool) override
    {
        runTimes_->push_back(monotonicMs());
        return false;
    }

private:
    std::vector<uint32_t>* runTimes_;
};

// The end-of-frame step of the script values, and the end once every press was answered.
class LatencyApplication : public CApplication {
public:
    LatencyApplication(CWindow* window, const std::vector<uint32_t>& runTimes, size_t presses)
        : CApplication(window, "", "", nullptr)
        , runTimes_(runTimes)
        , presses_(presses)
    {
    }
    bool domodal() override
    {
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
        return runTimes_.size() >= presses_ || gaveUp.load();
    }
    std::atomic<bool> gaveUp{false};

private:
    const std::vector<uint32_t>& runTimes_;
    size_t presses_;
};

uint32_t percentile(const std::vector<uint32_t>& sorted, double p)
{
    const auto index = static_cast<size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

} // namespace

int main(int argc, char** argv)
{
    const size_t presses = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 200;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    std::unique_ptr<platform::SdlBackend> backend = platform::SdlBackend::create();
    if (backend == nullptr || presses == 0) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    std::vector<uint32_t> pressTimes;
    std::vector<uint32_t> runTimes;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_AddEventWatch(notePress, &pressTimes);

    CMC_VariableFactory::initialize();
    registerScriptTypes();
    CMC_RunnerFactory::initialize();
    CLanguageOSVer language;
    int exitCode = 0;
    {
        CWindow window(backend.get(), nullptr, &language, CXSize(800, 600), nullptr, "");
        window.OnActivateApp(true);
        if (window.CreateSurface() != 0) {
            std::fprintf(stderr, "the display did not open\n");
            return 1;
        }
        LatencyApplication application(&window, runTimes, presses);
        CMC_ObjectsContainer scene(&window, nullptr, CXString("IDLE"), CMC_Object::TYPE_SCENE);
        scene.addObject(new TimingBehaviour(&scene, &runTimes));
        const std::string definition = "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\nKEYBOARD:ONKEYDOWN=NOTE\n";
        auto* reader = new CTextFileReader(&window, definition.c_str(), static_cast<int>(definition.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(&window, reader));
        std::unique_ptr<CMElements> leftOver(scene.resolveObjects(elements.get()));
        // One key-down per press: a press held over a frame would repeat.
        window.getKeyboardInterface()->setAutoRepeat(false);

        SDL_Window* shown = backend->display().window();
        SDL_SetWindowInputFocus(shown);
        int left = 0, top = 0;
        SDL_GetWindowPosition(shown, &left, &top);
        const std::string pointTo = "xdotool mousemove --sync " + std::to_string(left + 400) + " " + std::to_string(top + 300);
        std::thread sender([&application, &window, presses, pointTo] {
            std::mt19937 random(25);
            std::uniform_int_distribution<int> pause(20, 60);
            bool failed = std::system(pointTo.c_str()) != 0;
            for (size_t i = 0; i < presses && !failed; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(pause(random)));
                failed = std::system("xdotool key a") != 0;
            }
            // Whatever did not come within two seconds will not come.
            std::this_thread::sleep_for(std::chrono::seconds(2));
            application.gaveUp = true;
            window.wake();
        });
        // Paced as the program paces its window: the loop sleeps until an event comes.
        window.run(platform::FramePacer::kDefaultPeriodMs, {}, {}, CWindow::Pacing::WhenDue);
        sender.join();
        scene.unload();

        if (runTimes.size() != presses || pressTimes.size() != presses) {
            std::fprintf(stderr, "%zu presses sent, %zu seen, %zu answered\n", presses, pressTimes.size(), runTimes.size());
            exitCode = 1;
        } else {
            std::vector<uint32_t> latencies;
            for (size_t i = 0; i < presses; ++i)
                latencies.push_back(runTimes[i] - pressTimes[i]);
            std::sort(latencies.begin(), latencies.end());
            const uint32_t p99 = percentile(latencies, 0.99);
            std::printf("presses: %zu\n", presses);
            std::printf("event to behaviour (ms): median %u, p90 %u, p99 %u, max %u\n", percentile(latencies, 0.5),
                        percentile(latencies, 0.9), p99, latencies.back());
            std::printf("p99 = %.2f x the %u ms frame period\n", p99 / static_cast<double>(platform::FramePacer::kDefaultPeriodMs),
                        platform::FramePacer::kDefaultPeriodMs);
        }
    }
    CMC_Behaviour::doneTrash();
    CMC_RunnerFactory::done();
    CMC_VariableFactory::done();
    return exitCode;
}
