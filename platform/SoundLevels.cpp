#include "platform/SoundLevels.h"

#include <algorithm>
#include <cmath>

namespace platform {
namespace {

// An attenuation in hundredths of a decibel as an amplitude factor; the bottom of the
// range is silence rather than -100 dB.
float gainOf(int32_t attenuation)
{
    if (attenuation <= SoundLevels::kSilent)
        return 0.0f;
    return static_cast<float>(std::pow(10.0, attenuation / 2000.0));
}

} // namespace

bool SoundLevels::setVolume(int32_t volume)
{
    if (volume < kSilent || volume > kFullVolume)
        return false;
    volume_ = volume;
    return true;
}

bool SoundLevels::setPan(int32_t pan)
{
    if (pan < kFullLeft || pan > kFullRight)
        return false;
    pan_ = pan;
    return true;
}

bool SoundLevels::setFrequency(int32_t frequency)
{
    if (frequency != kOriginalFrequency && (frequency < kMinFrequency || frequency > kMaxFrequency))
        return false;
    frequency_ = frequency;
    return true;
}

float SoundLevels::leftGain() const
{
    return gainOf(volume_ - std::max(pan_, 0));
}

float SoundLevels::rightGain() const
{
    return gainOf(volume_ + std::min(pan_, 0));
}

float SoundLevels::pitch(uint32_t rate) const
{
    if (frequency_ == kOriginalFrequency || rate == 0)
        return 1.0f;
    return static_cast<float>(frequency_) / static_cast<float>(rate);
}

} // namespace platform
