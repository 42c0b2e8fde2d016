#include "launcher/ScriptedRun.h"

#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/HeadlessBackend.h"
#include "platform/PngWriter.h"
#include "platform/SoundDevice.h"
#include "platform/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

constexpr int kShotDotsPerInch = 96;

int16_t toSample(float value)
{
    return static_cast<int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

} // namespace

ScriptedRun::ScriptedRun(const RunOptions& options, std::optional<InputScript> input, platform::Backend& backend,
                         platform::SoundDevice* device)
    : options_(options)
    , input_(std::move(input))
    , backend_(backend)
    , device_(device != nullptr && device->kind() == platform::SoundOutput::Loopback ? device : nullptr)
    , startTick_(platform::tickCount())
{
}

bool ScriptedRun::isFrameByFrame() const
{
    return options_.frames > 0 || !options_.shots.empty() || input_.has_value() || device_ != nullptr;
}

void ScriptedRun::beforeFrame()
{
    ++frame_;
    frameStart_ = std::chrono::steady_clock::now();
    renderSound();
    if (!input_)
        return;
    // Scripts are refused on other back ends.
    auto& events = static_cast<platform::HeadlessBackend&>(backend_).events();
    for (const platform::Event& event : input_->eventsBefore(frame_))
        events.inject(event);
}

bool ScriptedRun::afterFrame(std::string& cause)
{
    if (!options_.frameTimes.empty())
        frameMicroseconds_.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - frameStart_).count());
    if (!options_.shots.contains(frame_))
        return true;
    return platform::writePngFile(options_.shotFile(frame_), backend_.display().capture(), kShotDotsPerInch, cause);
}

void ScriptedRun::renderSound()
{
    // Without a listener the loopback would hold its streams still; its sound is kept only for
    // the "audio" file.
    if (device_ == nullptr)
        return;
    const std::vector<float> mix = device_->renderUntil(platform::tickCount() - startTick_);
    if (!options_.audio.empty())
        std::transform(mix.begin(), mix.end(), std::back_inserter(sound_), toSample);
}

bool ScriptedRun::finish(std::string& cause)
{
    renderSound();
    if (!options_.audio.empty() && !platform::writeWavFile(options_.audio, sound_, platform::SoundDevice::kRate,
                                                           platform::SoundDevice::kChannels, cause))
        return false;
    return options_.frameTimes.empty() || writeFrameTimes(cause);
}

bool ScriptedRun::writeFrameTimes(std::string& cause) const
{
    std::string lines;
    for (const int64_t microseconds : frameMicroseconds_)
        lines += std::to_string(microseconds) + "\n";
    return platform::replaceFilesTogether({{options_.frameTimes, lines}}, cause);
}
