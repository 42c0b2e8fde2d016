#pragma once

#include "platform/SoundLevels.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <memory>

namespace platform {

// Two OpenAL buffers holding one block of samples, one per output channel.
struct ChannelBuffers {
    uint32_t left = 0;
    uint32_t right = 0;
};

// The two OpenAL sources that play one sound, one per output channel. Each plays a stereo copy
// of the samples whose other channel is silent, straight to the output without spatial
// panning, so the two channels' gains are exact and independent. Both always get the same
// calls, so they stay in step sample for sample.
//
// Every call is checked against the device the sources were made on: once that device is
// gone, the sources are gone with it and the calls do nothing (their ids may already name
// another device's sources).
class ChannelSources {
public:
    ChannelSources(std::weak_ptr<const void> device, const WaveFormat& format);
    ~ChannelSources();
    ChannelSources(const ChannelSources&) = delete;
    ChannelSources& operator=(const ChannelSources&) = delete;

    bool isValid() const { return valid_ && alive(); }
    const WaveFormat& format() const { return format_; }
    const SoundLevels& levels() const { return levels_; }

    bool setVolume(int32_t volume);
    bool setPan(int32_t pan);
    bool setFrequency(int32_t frequency);

    // New buffers holding whole frames of `bytes` bytes of samples in the sources' format;
    // false (nothing made) when the output refuses them.
    bool makeBuffers(const uint8_t* samples, uint32_t bytes, ChannelBuffers* buffers) const;
    void deleteBuffers(const ChannelBuffers& buffers) const;

    void attach(const ChannelBuffers& buffers);
    void detach();
    void queue(const ChannelBuffers& buffers);
    // How many queued buffers have played out.
    int processed() const;
    // Takes the oldest played-out buffers off the queue.
    ChannelBuffers unqueue();

    void play();
    // Starts at a frame of the attached samples; both take effect in the same mix.
    void playFrom(uint32_t frame);
    void pause();
    void stop();
    void setLooping(bool looping);
    void setFrame(uint32_t frame);
    uint32_t frame() const;
    bool isPlaying() const;
    bool isPaused() const;

private:
    bool alive() const { return !device_.expired(); }
    int state() const;
    void applyLevels();

    std::weak_ptr<const void> device_;
    WaveFormat format_;
    SoundLevels levels_;
    uint32_t left_ = 0;
    uint32_t right_ = 0;
    bool valid_ = false;
};

} // namespace platform
