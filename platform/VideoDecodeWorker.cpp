#include "platform/VideoDecodeWorker.h"

namespace platform {

VideoDecodeWorker::VideoDecodeWorker(VideoSource& source)
    : source_(source), audioFormat_(source.audioFormat()), thread_([this] { run(); })
{
}

VideoDecodeWorker::~VideoDecodeWorker()
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
    }
    workWanted_.notify_all();
    thread_.join();
}

void VideoDecodeWorker::seek(int64_t time)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        for (VideoFrame& frame : queue_)
            spareBuffers_.push_back(std::move(frame.pixels));
        queue_.clear();
        audio_.clear();
        sourceEnded_ = false;
        seekWanted_ = true;
        seekTarget_ = time;
        audioOrigin_ = time;
        audioFrames_ = 0;
        ++generation_;
    }
    workWanted_.notify_all();
}

std::optional<int64_t> VideoDecodeWorker::nextFrameTime() const
{
    std::lock_guard<std::mutex> guard(lock_);
    if (queue_.empty())
        return std::nullopt;
    return queue_.front().time;
}

bool VideoDecodeWorker::takeFrame(VideoFrame& frame)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (queue_.empty())
            return false;
        std::swap(frame, queue_.front());
        if (!queue_.front().pixels.empty())
            spareBuffers_.push_back(std::move(queue_.front().pixels));
        queue_.pop_front();
    }
    workWanted_.notify_all();
    return true;
}

void VideoDecodeWorker::takeAudio(std::vector<int16_t>& samples)
{
    std::lock_guard<std::mutex> guard(lock_);
    samples.insert(samples.end(), audio_.begin(), audio_.end());
    audio_.clear();
}

bool VideoDecodeWorker::finished() const
{
    std::lock_guard<std::mutex> guard(lock_);
    return queue_.empty() && sourceEnded_ && !seekWanted_;
}

bool VideoDecodeWorker::waitForFrame(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(lock_);
    frameReady_.wait_for(lock, timeout, [this] { return !queue_.empty() || (sourceEnded_ && !seekWanted_); });
    return !queue_.empty();
}

bool VideoDecodeWorker::waitUntilAhead(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(lock_);
    frameReady_.wait_for(lock, timeout, [this] { return !seekWanted_ && (sourceEnded_ || !wantsPicture()); });
    return !queue_.empty();
}

void VideoDecodeWorker::run()
{
    std::unique_lock<std::mutex> lock(lock_);
    while (!stopping_) {
        if (seekWanted_)
            seekSource(lock);
        else if (!sourceEnded_ && wantsPicture())
            decodeOne(lock);
        else
            workWanted_.wait(lock);
    }
}

// Both steps decode with the lock released, so that the main thread never waits for the decoder.
void VideoDecodeWorker::seekSource(std::unique_lock<std::mutex>& lock)
{
    seekWanted_ = false;
    const uint64_t generation = generation_;
    const int64_t target = seekTarget_;
    lock.unlock();
    const bool placed = source_.seek(target);
    source_.takeAudio(decodedAudio_);
    lock.lock();
    if (keepDecoded(generation))
        sourceEnded_ = !placed;
}

void VideoDecodeWorker::decodeOne(std::unique_lock<std::mutex>& lock)
{
    VideoFrame frame;
    if (!spareBuffers_.empty()) {
        frame.pixels = std::move(spareBuffers_.back());
        spareBuffers_.pop_back();
    }
    const uint64_t generation = generation_;
    lock.unlock();
    const bool decoded = source_.readFrame(frame);
    source_.takeAudio(decodedAudio_);
    lock.lock();
    if (!keepDecoded(generation))
        spareBuffers_.push_back(std::move(frame.pixels));
    else if (decoded)
        queue_.push_back(std::move(frame));
    else
        sourceEnded_ = true;
}

bool VideoDecodeWorker::wantsPicture() const
{
    if (queue_.size() < kQueueLength)
        return true;
    if (!audioFormat_ || queue_.size() >= kLongestQueue)
        return false;
    const int64_t audioEnd = audioOrigin_ + audioFrames_ * kVideoTimeUnitsPerSecond / audioFormat_->sampleRate;
    return audioEnd < queue_.back().time;
}

// Takes the audio decoded with the lock released, when no seek came in the meantime.
bool VideoDecodeWorker::keepDecoded(uint64_t generation)
{
    const bool current = generation == generation_;
    if (current) {
        audio_.insert(audio_.end(), decodedAudio_.begin(), decodedAudio_.end());
        if (audioFormat_)
            audioFrames_ += static_cast<int64_t>(decodedAudio_.size()) / audioFormat_->channels;
    }
    decodedAudio_.clear();
    frameReady_.notify_all();
    return current;
}

} // namespace platform
