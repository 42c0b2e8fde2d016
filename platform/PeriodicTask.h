#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class SoundDevice;

// Calls a function every period on a thread of its own until it is stopped. The period is kept
// by the wall clock, or, for tasks of the loopback sound device, by the sound it renders: the
// device runs the function after every period of sound it mixes and waits for it, so a run
// comes out the same every time. The device's tasks come from SoundDevice::startTask; a task
// made without a driver keeps the wall clock.
class PeriodicTask {
public:
    PeriodicTask(uint32_t periodMs, std::function<void()> work, SoundDevice* driver);
    ~PeriodicTask();
    PeriodicTask(const PeriodicTask&) = delete;
    PeriodicTask& operator=(const PeriodicTask&) = delete;

    // Lets the call in progress end, ends the thread and waits for it. Refused (false, nothing
    // done) from inside the task's own function, which would wait for itself.
    bool stop();

    uint32_t periodMs() const { return periodMs_; }

private:
    friend class SoundDevice;

    void runOnClock();
    void runOnTicks();
    // Runs the function once on the task's thread and waits until it has returned.
    void tick();

    const uint32_t periodMs_;
    const std::function<void()> work_;
    SoundDevice* const driver_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool stopping_ = false;
    uint64_t ticksPosted_ = 0;
    uint64_t ticksDone_ = 0;
    std::thread thread_;
};

} // namespace platform
