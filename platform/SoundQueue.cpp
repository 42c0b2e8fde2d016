#include "platform/SoundQueue.h"

namespace platform {

SoundQueue::SoundQueue(std::weak_ptr<const void> device, const WaveFormat& format)
    : sources_(std::move(device), format)
{
}

SoundQueue::~SoundQueue()
{
    clear();
}

bool SoundQueue::queue(const void* samples, uint32_t bytes)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Block block{{}, bytes - bytes % format().blockAlign};
    if (!sources_.makeBuffers(static_cast<const uint8_t*>(samples), block.bytes, &block.buffers))
        return false;
    sources_.queue(block.buffers);
    queued_.push_back(block);
    queuedBytes_ += block.bytes;
    return true;
}

uint32_t SoundQueue::unqueuePlayed()
{
    std::lock_guard<std::mutex> lock(mutex_);
    uint32_t played = 0;
    for (int n = sources_.processed(); n > 0 && !queued_.empty(); --n) {
        sources_.deleteBuffers(sources_.unqueue());
        played += queued_.front().bytes;
        queuedBytes_ -= queued_.front().bytes;
        queued_.pop_front();
    }
    return played;
}

uint32_t SoundQueue::queuedBytes() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return queuedBytes_;
}

void SoundQueue::play()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!sources_.isPlaying() && !queued_.empty())
        sources_.play();
}

void SoundQueue::stop()
{
    std::lock_guard<std::mutex> lock(mutex_);
    sources_.stop();
}

void SoundQueue::clear()
{
    std::lock_guard<std::mutex> lock(mutex_);
    sources_.stop();
    sources_.detach();
    for (const Block& block : queued_)
        sources_.deleteBuffers(block.buffers);
    queued_.clear();
    queuedBytes_ = 0;
}

bool SoundQueue::isPlaying() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sources_.isPlaying();
}

bool SoundQueue::setVolume(int32_t volume)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sources_.setVolume(volume);
}

int32_t SoundQueue::volume() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sources_.levels().volume();
}

bool SoundQueue::setPan(int32_t pan)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sources_.setPan(pan);
}

bool SoundQueue::setFrequency(int32_t frequency)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sources_.setFrequency(frequency);
}

} // namespace platform
