#pragma once

#include "platform/VideoSource.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Decodes a video ahead of its playing on a thread of its own, into a short queue of pictures
// ready for the screen and the audio that goes with them. The thread that made the worker takes
// pictures and audio, and moves the decoding; the worker ends by a stop flag and a join.
namespace platform {

class VideoDecodeWorker {
public:
    // Pictures decoded ahead: enough to ride out a slow picture, few enough to keep a seek
    // quick and the memory small.
    static constexpr size_t kQueueLength = 4;
    // A file may hold its sound well after the pictures it goes with (MPEG program streams
    // lag it by half a second): while the sound decoded so far ends before the last picture
    // waiting, the decoding goes on, up to this many pictures.
    static constexpr size_t kLongestQueue = 32;

    // Starts decoding at once, from where the source stands. The source is the worker's alone
    // until the worker is destroyed.
    explicit VideoDecodeWorker(VideoSource& source);
    // Stops the thread and waits for it.
    ~VideoDecodeWorker();
    VideoDecodeWorker(const VideoDecodeWorker&) = delete;
    VideoDecodeWorker& operator=(const VideoDecodeWorker&) = delete;

    // Drops what was decoded ahead; the decoding goes on from the picture shown at `time`.
    void seek(int64_t time);

    // The time of the next picture waiting; null while none is decoded yet.
    std::optional<int64_t> nextFrameTime() const;
    // Takes the next picture waiting into `frame`, whose old buffer is kept for later pictures.
    // False when none waits.
    bool takeFrame(VideoFrame& frame);
    // Appends the audio decoded so far (the source's timeline: without gaps from the last seek).
    // Audio not taken piles up: a player without sound opens its source without audio.
    void takeAudio(std::vector<int16_t>& samples);
    // No picture waits and none will come: the video ended (or could no longer be read).
    bool finished() const;
    // Waits until a picture waits or the video ended, at most for `timeout`; true when a
    // picture waits.
    bool waitForFrame(std::chrono::milliseconds timeout);
    // Waits until the decoding has gone as far ahead as it goes for now, or the video ended, at
    // most for `timeout`; true when a picture waits. A caller that moves the clock by hand
    // then finds every picture and all the sound it needs next.
    bool waitUntilAhead(std::chrono::milliseconds timeout);

private:
    void run();
    void seekSource(std::unique_lock<std::mutex>& lock);
    void decodeOne(std::unique_lock<std::mutex>& lock);
    bool keepDecoded(uint64_t generation);
    bool wantsPicture() const;

    VideoSource& source_;
    std::atomic<bool> stopping_ {false};
    mutable std::mutex lock_;
    std::condition_variable workWanted_; // the worker waits on it for room, a seek or the stop
    std::condition_variable frameReady_; // the waits wait on it
    std::deque<VideoFrame> queue_;
    std::vector<std::vector<uint16_t>> spareBuffers_;
    std::vector<int16_t> audio_;
    std::vector<int16_t> decodedAudio_; // the thread's own, filled with the lock released
    // The sound's timeline since the last seek: where it began, and how many frames of it came.
    const std::optional<AudioFormat> audioFormat_;
    int64_t audioOrigin_ = 0;
    int64_t audioFrames_ = 0;
    bool sourceEnded_ = false;
    bool seekWanted_ = false;
    int64_t seekTarget_ = 0;
    // Counts the seeks asked for: what the thread decoded for an earlier position is dropped.
    uint64_t generation_ = 0;
    std::thread thread_; // last, so that it starts with everything above in place
};

} // namespace platform
