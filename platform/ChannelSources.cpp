#include "platform/ChannelSources.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alext.h>

#include <cstring>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// A stereo copy of the samples with `channel`'s samples on one side and silence on the other.
std::vector<uint8_t> oneSided(const WaveFormat& format, const uint8_t* samples, uint32_t frames, int channel, bool onLeft)
{
    const int sampleBytes = format.bitsPerSample / 8;
    const uint8_t silence = sampleBytes == 1 ? 0x80 : 0x00;
    std::vector<uint8_t> stereo(static_cast<size_t>(frames) * 2 * sampleBytes, silence);
    const int side = onLeft ? 0 : 1;
    for (uint32_t i = 0; i < frames; ++i) {
        const uint8_t* from = samples + static_cast<size_t>(i) * format.blockAlign + channel * sampleBytes;
        std::memcpy(&stereo[(static_cast<size_t>(i) * 2 + side) * sampleBytes], from, sampleBytes);
    }
    return stereo;
}

// Changes to both sources of a pair must reach the same mix, or the two drift apart. The
// deferral of updates is one switch for the whole context, so batches from different threads
// take turns.
class UpdateBatch {
public:
    UpdateBatch() : lock_(mutex())
    {
        alDeferUpdatesSOFT();
    }
    ~UpdateBatch() { alProcessUpdatesSOFT(); }
    UpdateBatch(const UpdateBatch&) = delete;
    UpdateBatch& operator=(const UpdateBatch&) = delete;

private:
    static std::mutex& mutex()
    {
        static std::mutex batches;
        return batches;
    }

    std::lock_guard<std::mutex> lock_;
};

// A call on a list of ids, made for a pair: play, pause and stop so reach both sources in the
// same mix.
void together(void (*change)(ALsizei, const ALuint*), ALuint left, ALuint right)
{
    const ALuint ids[2] = {left, right};
    change(2, ids);
}

void setOnBoth(ALuint left, ALuint right, ALenum property, ALint value)
{
    alSourcei(left, property, value);
    alSourcei(right, property, value);
}

} // namespace

ChannelSources::ChannelSources(std::weak_ptr<const void> device, const WaveFormat& format)
    : device_(std::move(device))
    , format_(format)
{
    if (!alive() || !format.isPlayable())
        return;
    alGetError();
    ALuint ids[2] = {0, 0};
    alGenSources(2, ids);
    if (alGetError() != AL_NO_ERROR)
        return;
    left_ = ids[0];
    right_ = ids[1];
    for (ALuint id : ids) {
        alSourcei(id, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(id, AL_POSITION, 0.0f, 0.0f, 0.0f);
        alSourcef(id, AL_ROLLOFF_FACTOR, 0.0f);
        alSourcei(id, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    }
    valid_ = true;
    applyLevels();
}

ChannelSources::~ChannelSources()
{
    if (!isValid())
        return;
    together(alSourceStopv, left_, right_);
    detach();
    together(alDeleteSources, left_, right_);
}

bool ChannelSources::setVolume(int32_t volume)
{
    if (!levels_.setVolume(volume))
        return false;
    applyLevels();
    return true;
}

bool ChannelSources::setPan(int32_t pan)
{
    if (!levels_.setPan(pan))
        return false;
    applyLevels();
    return true;
}

bool ChannelSources::setFrequency(int32_t frequency)
{
    if (!levels_.setFrequency(frequency))
        return false;
    applyLevels();
    return true;
}

void ChannelSources::applyLevels()
{
    if (!isValid())
        return;
    const float pitch = levels_.pitch(format_.samplesPerSec);
    UpdateBatch batch;
    alSourcef(left_, AL_GAIN, levels_.leftGain());
    alSourcef(right_, AL_GAIN, levels_.rightGain());
    alSourcef(left_, AL_PITCH, pitch);
    alSourcef(right_, AL_PITCH, pitch);
}

bool ChannelSources::makeBuffers(const uint8_t* samples, uint32_t bytes, ChannelBuffers* buffers) const
{
    const uint32_t frames = bytes / format_.blockAlign;
    if (!isValid() || frames == 0)
        return false;
    alGetError();
    ALuint ids[2] = {0, 0};
    alGenBuffers(2, ids);
    if (alGetError() != AL_NO_ERROR)
        return false;
    const ALenum stereo = format_.bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
    const auto rate = static_cast<ALsizei>(format_.samplesPerSec);
    const int rightChannel = format_.channels - 1;
    const std::vector<uint8_t> left = oneSided(format_, samples, frames, 0, true);
    alBufferData(ids[0], stereo, left.data(), static_cast<ALsizei>(left.size()), rate);
    const std::vector<uint8_t> right = oneSided(format_, samples, frames, rightChannel, false);
    alBufferData(ids[1], stereo, right.data(), static_cast<ALsizei>(right.size()), rate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(2, ids);
        return false;
    }
    *buffers = {ids[0], ids[1]};
    return true;
}

void ChannelSources::deleteBuffers(const ChannelBuffers& buffers) const
{
    if (!alive())
        return;
    together(alDeleteBuffers, buffers.left, buffers.right);
}

void ChannelSources::attach(const ChannelBuffers& buffers)
{
    if (!isValid())
        return;
    alSourcei(left_, AL_BUFFER, static_cast<ALint>(buffers.left));
    alSourcei(right_, AL_BUFFER, static_cast<ALint>(buffers.right));
}

void ChannelSources::detach()
{
    if (isValid())
        setOnBoth(left_, right_, AL_BUFFER, 0);
}

void ChannelSources::queue(const ChannelBuffers& buffers)
{
    if (!isValid())
        return;
    alSourceQueueBuffers(left_, 1, &buffers.left);
    alSourceQueueBuffers(right_, 1, &buffers.right);
}

int ChannelSources::processed() const
{
    if (!isValid())
        return 0;
    ALint left = 0;
    ALint right = 0;
    alGetSourcei(left_, AL_BUFFERS_PROCESSED, &left);
    alGetSourcei(right_, AL_BUFFERS_PROCESSED, &right);
    return std::min(left, right);
}

ChannelBuffers ChannelSources::unqueue()
{
    ChannelBuffers buffers;
    if (!isValid())
        return buffers;
    alSourceUnqueueBuffers(left_, 1, &buffers.left);
    alSourceUnqueueBuffers(right_, 1, &buffers.right);
    return buffers;
}

void ChannelSources::play()
{
    if (isValid())
        together(alSourcePlayv, left_, right_);
}

void ChannelSources::playFrom(uint32_t frame)
{
    if (!isValid())
        return;
    UpdateBatch batch;
    together(alSourcePlayv, left_, right_);
    setOnBoth(left_, right_, AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
}

void ChannelSources::pause()
{
    if (isValid())
        together(alSourcePausev, left_, right_);
}

void ChannelSources::stop()
{
    if (isValid())
        together(alSourceStopv, left_, right_);
}

void ChannelSources::setLooping(bool looping)
{
    if (!isValid())
        return;
    UpdateBatch batch;
    setOnBoth(left_, right_, AL_LOOPING, looping ? AL_TRUE : AL_FALSE);
}

void ChannelSources::setFrame(uint32_t frame)
{
    if (!isValid())
        return;
    UpdateBatch batch;
    setOnBoth(left_, right_, AL_SAMPLE_OFFSET, static_cast<ALint>(frame));
}

uint32_t ChannelSources::frame() const
{
    if (!isValid())
        return 0;
    ALint frame = 0;
    alGetSourcei(left_, AL_SAMPLE_OFFSET, &frame);
    return static_cast<uint32_t>(frame);
}

int ChannelSources::state() const
{
    if (!isValid())
        return AL_STOPPED;
    ALint state = AL_STOPPED;
    alGetSourcei(left_, AL_SOURCE_STATE, &state);
    return state;
}

bool ChannelSources::isPlaying() const
{
    return state() == AL_PLAYING;
}

bool ChannelSources::isPaused() const
{
    return state() == AL_PAUSED;
}

} // namespace platform
