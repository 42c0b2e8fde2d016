#pragma once

#include "foundation/CLanguageOSVer.h"
#include "launcher/RunOptions.h"
#include "launcher/ScriptedRun.h"

#include <memory>
#include <optional>
#include <string>

class CApplication;
class CCommandLine6;
class CWindow;

namespace platform {
class Backend;
} // namespace platform

// The program Kestrum from its command line to its end: the start-up in its order, the frame
// loop, and the shutdown (application, window, command line). Every way start-up can fail is
// one line on standard error and a non-zero exit code, and the window never shows.
class Launcher {
public:
    static constexpr int kExitOk = 0;
    // Start-up failed, "2bin" did not store, or the screenshot, a shot or the sound was not
    // written.
    static constexpr int kExitFailed = 1;
    // An option of the program's own lacks a sound value, its input script is refused, or it
    // asks for a scripted run where a display opened.
    static constexpr int kExitBadOption = 2;

    // The arguments as main receives them.
    Launcher(int argc, const char* const* argv);
    ~Launcher();
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Start-up up to the window shown: the exit code when the program ends here (a failure,
    // or "2bin" done), none when the loop is to run.
    std::optional<int> start();
    // The loop until the window is closed, SIGINT or SIGTERM comes, the application ends, the
    // frames asked for are done or a shot cannot be written; then the sound file, the
    // shutdown and the screenshot. The exit code.
    int run();

    // What start made; none before it or after the shutdown.
    platform::Backend* backend() const { return backend_.get(); }
    CWindow* window() const { return window_.get(); }
    CApplication* application() const { return application_.get(); }

private:
    // The window's display: windowed, or the desktop's full screen at 16 bits, else 15.
    void openDisplay();
    void shutdown();
    // The cause on standard error; the exit code.
    static int fail(int exitCode, const std::string& cause);

    std::unique_ptr<CCommandLine6> commandLine_;
    CLanguageOSVer language_;
    RunOptions options_;
    std::optional<InputScript> input_;
    std::unique_ptr<platform::Backend> backend_;
    std::unique_ptr<CWindow> window_;
    std::unique_ptr<CApplication> application_;
    std::unique_ptr<ScriptedRun> scriptedRun_;
};
