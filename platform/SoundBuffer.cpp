#include "platform/SoundBuffer.h"

namespace platform {

SoundBuffer::SoundBuffer(std::weak_ptr<const void> device, const WaveFormat& format, uint32_t bytes)
    : sources_(std::move(device), format)
    , size_(bytes)
{
}

SoundBuffer::~SoundBuffer()
{
    if (!filled_)
        return;
    sources_.stop();
    sources_.detach();
    sources_.deleteBuffers(buffers_);
}

bool SoundBuffer::fill(const void* samples)
{
    if (filled_ || !sources_.makeBuffers(static_cast<const uint8_t*>(samples), size_, &buffers_))
        return false;
    sources_.attach(buffers_);
    filled_ = true;
    return true;
}

void SoundBuffer::play(bool looping)
{
    if (!filled_)
        return;
    looping_ = looping;
    sources_.setLooping(looping);
    if (sources_.isPlaying())
        return;
    if (sources_.isPaused()) {
        sources_.play();
        return;
    }
    sources_.playFrom(startFrame_);
    startFrame_ = 0;
}

void SoundBuffer::stop()
{
    if (sources_.isPlaying())
        sources_.pause();
}

bool SoundBuffer::isPlaying() const
{
    return sources_.isPlaying();
}

uint32_t SoundBuffer::position() const
{
    const uint32_t frame = sources_.isPlaying() || sources_.isPaused() ? sources_.frame() : startFrame_;
    return frame * format().blockAlign;
}

void SoundBuffer::setPosition(uint32_t offset)
{
    if (!filled_ || offset >= size_)
        return;
    const uint32_t frame = offset / format().blockAlign;
    if (sources_.isPlaying() || sources_.isPaused())
        sources_.setFrame(frame);
    else
        startFrame_ = frame;
}

} // namespace platform
