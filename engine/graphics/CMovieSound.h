#pragma once

#include "platform/VideoSource.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
class SoundDevice;
class SoundQueue;
class VideoDecodeWorker;
} // namespace platform

// The sound of a playing video: the samples decoded with its pictures, queued on the sound
// device block by block so that they sound in step with the movie's clock. The queue runs at
// most kLead ahead of the clock; sound that has fallen more than kSlack behind it (the device
// starved, or the decoder came late) is skipped up to the clock.
class CMovieSound {
public:
    // What the video source is asked for: the device's own rate and channels.
    static constexpr platform::AudioFormat kFormat{44100, 2};
    // In the video's units of 100 ns.
    static constexpr int64_t kLead = 60 * 10'000;
    static constexpr int64_t kSlack = 80 * 10'000;

    // Null without a device, or when it cannot make the queue.
    static std::unique_ptr<CMovieSound> create(platform::SoundDevice* device);
    ~CMovieSound();
    CMovieSound(const CMovieSound&) = delete;
    CMovieSound& operator=(const CMovieSound&) = delete;

    // The sound starts over at that time of the video: what was queued or waits goes. A held
    // sound stays held.
    void restart(int64_t time);
    // Once a frame: takes the worker's new samples and queues what the clock reaches next.
    // While held only the samples are taken.
    void keepUp(platform::VideoDecodeWorker& worker, int64_t clock);
    // Halts the sound where it is, keeping what is queued; goOn resumes it.
    void hold();
    void goOn();

private:
    explicit CMovieSound(std::unique_ptr<platform::SoundQueue> queue);
    // The index of the sample frame that sounds at the time, counted from the restart.
    int64_t frameAt(int64_t time) const;
    // Queues up to `count` frames of what waits, from the next frame to be queued on.
    void queueWaiting(int64_t count);

    std::unique_ptr<platform::SoundQueue> queue_;
    // Interleaved samples decoded and not yet queued; the last of them is frame received_ - 1.
    std::vector<int16_t> waiting_;
    int64_t origin_ = 0;
    int64_t received_ = 0;
    // The next frame to be queued, and the first frame whose block has not yet played out.
    int64_t queued_ = 0;
    int64_t played_ = 0;
    bool held_ = false;
};
