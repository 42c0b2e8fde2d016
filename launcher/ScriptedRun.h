#pragma once

#include "launcher/InputScript.h"
#include "launcher/RunOptions.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {
class Backend;
class SoundDevice;
} // namespace platform

// The program's frames as a scripted run sees them: the input script's events injected
// before their frames, the listed frames written as PNG files after they are drawn, and, on
// the headless back end, the loopback sound rendered in step with the clock and kept for the
// "audio" file. On a stepped clock every run gives the same files.
class ScriptedRun {
public:
    // The back end and the sound device (null: none) stay for the run.
    ScriptedRun(const RunOptions& options, std::optional<InputScript> input, platform::Backend& backend,
                platform::SoundDevice* device);

    // The run goes frame by frame: it counts them, shoots some, injects input before them or
    // renders its sound with them. Otherwise frames may wait until they have work.
    bool isFrameByFrame() const;

    void beforeFrame();
    // False, with the cause, when a shot of this frame cannot be written.
    bool afterFrame(std::string& cause);
    // Renders the sound up to now and writes the "audio" and "frametimes" files; false, with
    // the cause, when one cannot be written.
    bool finish(std::string& cause);

private:
    void renderSound();
    bool writeFrameTimes(std::string& cause) const;

    const RunOptions& options_;
    std::optional<InputScript> input_;
    platform::Backend& backend_;
    platform::SoundDevice* device_;
    uint32_t startTick_;
    int frame_ = 0;
    std::vector<int16_t> sound_;
    std::chrono::steady_clock::time_point frameStart_;
    std::vector<int64_t> frameMicroseconds_;
};
