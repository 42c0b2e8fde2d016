#pragma once

#include "platform/ChannelSources.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <memory>

namespace platform {

// A sound held whole by the sound device and played from memory, with a play position in
// bytes of its own format, looping on request. Made by SoundDevice::createBuffer.
class SoundBuffer {
public:
    SoundBuffer(std::weak_ptr<const void> device, const WaveFormat& format, uint32_t bytes);
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    uint32_t size() const { return size_; }
    const WaveFormat& format() const { return sources_.format(); }

    // Hands the device the buffer's samples, size() bytes; false when it could not take them.
    // Until then the buffer plays nothing.
    bool fill(const void* samples);

    // Starts at the play position, or only switches looping when already playing.
    void play(bool looping);
    // Halts; the play position stays where it was.
    void stop();
    bool isPlaying() const;
    bool isLooping() const { return looping_; }
    // Byte offset of the next sample to play, in whole frames.
    uint32_t position() const;
    // An offset past the samples is refused.
    void setPosition(uint32_t offset);

    bool setVolume(int32_t volume) { return sources_.setVolume(volume); }
    int32_t volume() const { return sources_.levels().volume(); }
    bool setPan(int32_t pan) { return sources_.setPan(pan); }
    bool setFrequency(int32_t frequency) { return sources_.setFrequency(frequency); }

private:
    ChannelSources sources_;
    ChannelBuffers buffers_;
    uint32_t size_;
    bool filled_ = false;
    bool looping_ = false;
    // The frame to start from while the sources stand still: they keep no position then.
    uint32_t startFrame_ = 0;
};

} // namespace platform
