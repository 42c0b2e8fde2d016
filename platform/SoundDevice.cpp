#include "platform/SoundDevice.h"

#include "platform/AlsaMessages.h"
#include "platform/DebugOutput.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>

namespace platform {
namespace {

std::atomic<SoundOutput> chosenOutput{SoundOutput::Loopback};

// Float samples, so that nothing is dithered or clipped on the way out; no limiter, so a
// sound's level is exactly its gain.
const ALCint kContextAttributes[] = {
    ALC_FORMAT_CHANNELS_SOFT, ALC_STEREO_SOFT,  ALC_FORMAT_TYPE_SOFT,     ALC_FLOAT_SOFT,
    ALC_FREQUENCY,            SoundDevice::kRate, ALC_HRTF_SOFT,          ALC_FALSE,
    ALC_OUTPUT_LIMITER_SOFT,  ALC_FALSE,        0,
};

// The speakers' buffer: about 23 ms of sound.
constexpr Uint16 kSpeakerFrames = 1024;

// OpenAL Soft only mixes here: SDL2 carries the mix out. Left alone, its first use would probe
// every output system it knows (a PulseAudio client with threads of its own, ALSA, JACK) for
// nothing, so it is given only its silent one, unless the user chose otherwise.
void keepOpenAlFromTheOutputs()
{
    static std::once_flag once;
    std::call_once(once, [] { setenv("ALSOFT_DRIVERS", "null", 0); });
}

// Why the speakers did not open, for the debug output.
void reportNoSpeakers()
{
    debugOutput((std::string("SDL audio: ") + SDL_GetError() + "\n").c_str());
}

} // namespace

void SoundDevice::setOutput(SoundOutput output)
{
    chosenOutput = output;
}

SoundOutput SoundDevice::output()
{
    return chosenOutput;
}

std::unique_ptr<SoundDevice> SoundDevice::open()
{
    keepOpenAlFromTheOutputs();
    if (alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback") == ALC_FALSE)
        return nullptr;
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (device == nullptr)
        return nullptr;
    ALCcontext* context = nullptr;
    if (alcIsRenderFormatSupportedSOFT(device, kRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT) == ALC_TRUE)
        context = alcCreateContext(device, kContextAttributes);
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        if (context != nullptr)
            alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    alDistanceModel(AL_NONE);
    std::unique_ptr<SoundDevice> sound(new SoundDevice(output(), device, context));
    if (sound->kind_ == SoundOutput::Speakers && !sound->openSpeakers())
        return nullptr;
    return sound;
}

SoundDevice::SoundDevice(SoundOutput kind, ALCdevice* device, ALCcontext* context)
    : kind_(kind)
    , device_(device)
    , context_(context)
    , life_(std::make_shared<int>(0))
{
}

SoundDevice::~SoundDevice()
{
    if (speakers_ != 0) {
        SDL_CloseAudioDevice(speakers_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    life_.reset();
    if (alcGetCurrentContext() == context_)
        alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

bool SoundDevice::openSpeakers()
{
    routeAlsaMessages();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reportNoSpeakers();
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = kRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kChannels;
    wanted.samples = kSpeakerFrames;
    wanted.callback = fillSpeakers;
    wanted.userdata = this;
    speakers_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
    if (speakers_ == 0) {
        reportNoSpeakers();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return speakers_ != 0;
}

void SoundDevice::fillSpeakers(void* device, uint8_t* stream, int bytes)
{
    const auto frames = static_cast<uint32_t>(bytes) / (sizeof(float) * kChannels);
    static_cast<SoundDevice*>(device)->mix(reinterpret_cast<float*>(stream), frames);
}

bool SoundDevice::start()
{
    if (speakers_ != 0)
        SDL_PauseAudioDevice(speakers_, 0);
    return true;
}

void SoundDevice::mix(float* out, uint32_t frames)
{
    alcRenderSamplesSOFT(device_, out, static_cast<ALCsizei>(frames));
}

std::unique_ptr<SoundBuffer> SoundDevice::createBuffer(const WaveFormat& format, uint32_t bytes)
{
    if (!format.isPlayable() || bytes < format.blockAlign)
        return nullptr;
    return std::make_unique<SoundBuffer>(life_, format, bytes);
}

std::unique_ptr<SoundQueue> SoundDevice::createQueue(const WaveFormat& format)
{
    if (!format.isPlayable())
        return nullptr;
    return std::make_unique<SoundQueue>(life_, format);
}

std::unique_ptr<PeriodicTask> SoundDevice::startTask(uint32_t periodMs, std::function<void()> work)
{
    if (kind_ != SoundOutput::Loopback)
        return std::make_unique<PeriodicTask>(periodMs, std::move(work), nullptr);
    auto task = std::make_unique<PeriodicTask>(periodMs, std::move(work), this);
    std::lock_guard<std::mutex> lock(tasksMutex_);
    drivenTasks_.push_back({task.get(), rendered_, 0});
    return task;
}

void SoundDevice::detach(PeriodicTask* task)
{
    std::lock_guard<std::mutex> lock(tasksMutex_);
    std::erase_if(drivenTasks_, [task](const DrivenTask& driven) { return driven.task == task; });
}

uint64_t SoundDevice::DrivenTask::nextFrame() const
{
    return firstFrame + (ticks + 1) * task->periodMs() * kRate / 1000;
}

std::vector<float> SoundDevice::render(uint32_t frames)
{
    std::vector<float> out;
    if (kind_ != SoundOutput::Loopback)
        return out;
    out.resize(static_cast<size_t>(frames) * kChannels);
    std::lock_guard<std::mutex> lock(tasksMutex_);
    const uint64_t end = rendered_ + frames;
    while (rendered_ < end) {
        uint64_t until = end;
        for (const DrivenTask& driven : drivenTasks_)
            until = std::min(until, driven.nextFrame());
        if (until > rendered_) {
            mix(&out[(rendered_ + frames - end) * kChannels], static_cast<uint32_t>(until - rendered_));
            rendered_ = until;
        }
        for (DrivenTask& driven : drivenTasks_) {
            if (driven.nextFrame() <= rendered_) {
                driven.task->tick();
                ++driven.ticks;
            }
        }
    }
    return out;
}

std::vector<float> SoundDevice::renderUntil(uint32_t ms)
{
    const uint64_t target = static_cast<uint64_t>(ms) * kRate / 1000;
    const uint64_t done = renderedFrames();
    return render(target > done ? static_cast<uint32_t>(target - done) : 0);
}

uint64_t SoundDevice::renderedFrames() const
{
    std::lock_guard<std::mutex> lock(tasksMutex_);
    return rendered_;
}

} // namespace platform
