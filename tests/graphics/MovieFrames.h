#pragma once

#include "graphics/CMovie.h"
#include "media/CPlayableObserver.h"
#include "media/CSound4.h"
#include "platform/SoundDevice.h"

#include "tests/media/SoundTestKit.h"
#include "tests/platform/VideoFixtures.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// Moves playing movies on by frames of the window, on a clock moved by hand: before each frame
// the decoding catches up with the clock, so that no picture comes late, and the loopback
// device renders the frame's sound into the mix.
class MovieFrames {
public:
    static constexpr uint32_t kFrameMs = 10;
    // The fixtures' tone sounds at about 0.09 in each channel; below this it is missing.
    static constexpr double kToneHeard = 0.05;
    static constexpr double kSilence = 0.002;

    explicit MovieFrames(std::function<void(uint32_t ms)> windowFrame)
        : windowFrame_(std::move(windowFrame))
    {
    }

    void step(CMovie* movie, uint32_t ms = kFrameMs)
    {
        if (movie != nullptr)
            movie->waitUntilDecodedAhead(std::chrono::seconds(10));
        if (platform::SoundDevice* device = CSound4::getDirectSound()) {
            const std::vector<float> part = device->render(platform::SoundDevice::kRate * ms / 1000);
            mix_.insert(mix_.end(), part.begin(), part.end());
        }
        windowFrame_(ms);
        elapsed_ += ms;
    }
    void run(CMovie* movie, uint32_t ms)
    {
        for (uint32_t done = 0; done < ms; done += kFrameMs)
            step(movie);
    }
    uint32_t elapsed() const { return elapsed_; }

    // The quietest and the loudest level of the fixtures' tone in the left channel, each
    // 100 ms from one time to the other (in ms since the first frame).
    std::pair<double, double> toneRange(uint32_t fromMs, uint32_t toMs) const
    {
        const auto frameAt = [](uint32_t ms) { return static_cast<size_t>(ms) * platform::SoundDevice::kRate / 1000; };
        std::pair<double, double> range{1e9, 0};
        for (uint32_t ms = fromMs; ms + 100 <= toMs; ms += 100) {
            const double level = toneLevel(mix_, platform::SoundDevice::kChannels, 0, VideoFixtures::kToneFrequency,
                                           frameAt(ms), frameAt(ms + 100) - frameAt(ms));
            range = {std::min(range.first, level), std::max(range.second, level)};
        }
        return range;
    }
    bool toneThroughout(uint32_t fromMs, uint32_t toMs) const { return toneRange(fromMs, toMs).first > kToneHeard; }
    bool silentThroughout(uint32_t fromMs, uint32_t toMs) const { return toneRange(fromMs, toMs).second < kSilence; }

private:
    std::function<void(uint32_t)> windowFrame_;
    std::vector<float> mix_;
    uint32_t elapsed_ = 0;
};

// What a movie told its observers, in order: "S" started, "F" finished, and for each tick the
// index of the picture that the movie's surface shows.
struct MovieLog : CPlayableObserver {
    bool onPlayableStarted(CPlayable*) override { return add("S"); }
    bool onPlayableFinished(CPlayable*) override { return add("F"); }
    bool onPlayableTick(CPlayable* playable) override { return add(std::to_string(shownIndex(*dynamic_cast<CMovie*>(playable)))); }

    // The picture index that the band of the movie's surface tells; -1 without pixels.
    static int shownIndex(CMovie& movie)
    {
        if (movie.GetDataPtr() == nullptr || movie.Width() != VideoFixtures::kWidth)
            return -1;
        platform::VideoFrame frame;
        frame.pixels.resize(static_cast<size_t>(movie.Width()) * movie.Height());
        std::memcpy(frame.pixels.data(), movie.GetDataPtr(), frame.pixels.size() * sizeof(uint16_t));
        return VideoFixtures::bandIndex(frame, platform::VideoPixelFormat::Rgb565);
    }
    bool add(std::string entry)
    {
        events.push_back(std::move(entry));
        return false;
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }

    std::vector<std::string> events;
};

// "0" to "last" as the ticks of those pictures.
inline std::vector<std::string> pictureRun(int first, int last)
{
    std::vector<std::string> run;
    for (int i = first; i <= last; ++i)
        run.push_back(std::to_string(i));
    return run;
}

// Copies a fixture into the folder under that name; its path.
inline std::string copyFixture(const std::string& fixture, const std::filesystem::path& folder, const std::string& name)
{
    std::filesystem::create_directories((folder / name).parent_path());
    std::filesystem::copy_file(fixture, folder / name, std::filesystem::copy_options::overwrite_existing);
    return (folder / name).string();
}
