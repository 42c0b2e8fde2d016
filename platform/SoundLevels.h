#pragma once

#include <cstdint>

namespace platform {

// The loudness, balance and speed of one sound in the units the engine speaks: volume and pan
// in hundredths of a decibel, frequency in samples per second. A value outside its range is
// refused and the one before stays, as the original sound device did.
class SoundLevels {
public:
    static constexpr int32_t kSilent = -10000;
    static constexpr int32_t kFullVolume = 0;
    static constexpr int32_t kFullLeft = -10000;
    static constexpr int32_t kFullRight = 10000;
    static constexpr int32_t kOriginalFrequency = 0;
    static constexpr int32_t kMinFrequency = 100;
    static constexpr int32_t kMaxFrequency = 200000;

    // kSilent (nothing heard) to kFullVolume.
    bool setVolume(int32_t volume);
    // kFullLeft to kFullRight: a pan to one side lowers only the other channel, by |pan|
    // hundredths of a decibel.
    bool setPan(int32_t pan);
    // kOriginalFrequency (the samples' own rate) or kMinFrequency to kMaxFrequency.
    bool setFrequency(int32_t frequency);

    int32_t volume() const { return volume_; }
    int32_t pan() const { return pan_; }
    int32_t frequency() const { return frequency_; }

    // Linear amplitude factors of the two output channels.
    float leftGain() const;
    float rightGain() const;
    // Playback speed of samples recorded at `rate` samples per second.
    float pitch(uint32_t rate) const;

private:
    int32_t volume_ = kFullVolume;
    int32_t pan_ = 0;
    int32_t frequency_ = kOriginalFrequency;
};

} // namespace platform
