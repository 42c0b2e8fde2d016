#pragma once

#include "platform/ChannelSources.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

namespace platform {

// A sound fed block by block while it plays: a feeding thread queues blocks of samples and
// takes back those played out; the sound plays while blocks are queued. Made by
// SoundDevice::createQueue. Safe to use from the feeding thread and the main thread at once.
class SoundQueue {
public:
    SoundQueue(std::weak_ptr<const void> device, const WaveFormat& format);
    ~SoundQueue();
    SoundQueue(const SoundQueue&) = delete;
    SoundQueue& operator=(const SoundQueue&) = delete;

    const WaveFormat& format() const { return sources_.format(); }
    bool isValid() const { return sources_.isValid(); }

    // Appends whole frames of samples; false when the device refused them (nothing queued).
    bool queue(const void* samples, uint32_t bytes);
    // Takes the blocks played out off the queue: their total size in bytes.
    uint32_t unqueuePlayed();
    // Bytes queued and not yet taken back, played out or not.
    uint32_t queuedBytes() const;

    // Plays the queued blocks from the oldest not yet played; nothing when playing already.
    void play();
    // Halts; a later play starts again at the oldest block still queued.
    void stop();
    // Halts and drops every queued block.
    void clear();
    // False also once the queue has run dry.
    bool isPlaying() const;

    bool setVolume(int32_t volume);
    int32_t volume() const;
    bool setPan(int32_t pan);
    bool setFrequency(int32_t frequency);

private:
    struct Block {
        ChannelBuffers buffers;
        uint32_t bytes;
    };

    mutable std::mutex mutex_;
    ChannelSources sources_;
    std::deque<Block> queued_;
    uint32_t queuedBytes_ = 0;
};

} // namespace platform
