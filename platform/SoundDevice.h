#pragma once

#include "platform/PeriodicTask.h"
#include "platform/SoundBuffer.h"
#include "platform/SoundQueue.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace platform {

// Where the mixed sound goes: the system's default output through SDL2, or nowhere but to
// the caller, who renders it (the headless back end and tests).
enum class SoundOutput { Speakers, Loopback };

// The one sound device of the process: an OpenAL Soft mixer at 44,100 frames per second in
// stereo, holding whole sounds (SoundBuffer) and fed sounds (SoundQueue), and keeping the time
// of its periodic tasks. Open one device at a time, and delete what was made on it, tasks
// first, before the device.
class SoundDevice {
public:
    static constexpr uint32_t kRate = 44100;
    static constexpr int kChannels = 2;

    // The output that open() uses; the loopback until the program asks for the speakers.
    static void setOutput(SoundOutput output);
    static SoundOutput output();
    // Null when no output can be had: sounds then stay silent, and nothing is reported.
    static std::unique_ptr<SoundDevice> open();

    ~SoundDevice();
    SoundDevice(const SoundDevice&) = delete;
    SoundDevice& operator=(const SoundDevice&) = delete;

    SoundOutput kind() const { return kind_; }
    // Lets the speakers sound; the loopback needs no start. False when the output cannot run.
    bool start();

    // Null for a format the device cannot play or a size of no whole frame.
    std::unique_ptr<SoundBuffer> createBuffer(const WaveFormat& format, uint32_t bytes);
    std::unique_ptr<SoundQueue> createQueue(const WaveFormat& format);
    // A task whose time the device keeps: the wall clock for the speakers, the rendered sound
    // for the loopback.
    std::unique_ptr<PeriodicTask> startTask(uint32_t periodMs, std::function<void()> work);

    // Loopback only: mixes the next frames, interleaved left and right, full scale at 1.0;
    // the tasks due on the way run at their places in the sound.
    std::vector<float> render(uint32_t frames);
    // Loopback only: renders up to the given time since the device opened, so that the sound
    // keeps step with a clock.
    std::vector<float> renderUntil(uint32_t ms);
    uint64_t renderedFrames() const;

private:
    friend class PeriodicTask;

    struct DrivenTask {
        PeriodicTask* task;
        uint64_t firstFrame;
        uint64_t ticks;
        uint64_t nextFrame() const;
    };

    SoundDevice(SoundOutput kind, ALCdevice_struct* device, ALCcontext_struct* context);
    bool openSpeakers();
    void mix(float* out, uint32_t frames);
    void detach(PeriodicTask* task);

    static void fillSpeakers(void* device, uint8_t* stream, int bytes);

    const SoundOutput kind_;
    ALCdevice_struct* device_;
    ALCcontext_struct* context_;
    // Shared with everything made on the device, which checks it before touching the mixer.
    std::shared_ptr<const void> life_;
    uint32_t speakers_ = 0;
    mutable std::mutex tasksMutex_;
    std::vector<DrivenTask> drivenTasks_;
    uint64_t rendered_ = 0;
};

} // namespace platform
