#include "platform/PeriodicTask.h"

#include "platform/SoundDevice.h"

#include <chrono>

namespace platform {

PeriodicTask::PeriodicTask(uint32_t periodMs, std::function<void()> work, SoundDevice* driver)
    : periodMs_(periodMs)
    , work_(std::move(work))
    , driver_(driver)
{
    thread_ = std::thread(driver != nullptr ? &PeriodicTask::runOnTicks : &PeriodicTask::runOnClock, this);
}

PeriodicTask::~PeriodicTask()
{
    stop();
}

bool PeriodicTask::stop()
{
    if (std::this_thread::get_id() == thread_.get_id())
        return false;
    if (!thread_.joinable())
        return true;
    if (driver_ != nullptr)
        driver_->detach(this);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
    return true;
}

void PeriodicTask::runOnClock()
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(periodMs_);
    auto due = Clock::now() + period;
    std::unique_lock<std::mutex> lock(mutex_);
    while (!changed_.wait_until(lock, due, [this] { return stopping_; })) {
        lock.unlock();
        work_();
        lock.lock();
        // Calls that came late are not made up for: the next is due a whole period on.
        due += period;
        if (due < Clock::now())
            due = Clock::now() + period;
    }
}

void PeriodicTask::runOnTicks()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return stopping_ || ticksPosted_ > ticksDone_; });
        if (stopping_)
            return;
        lock.unlock();
        work_();
        lock.lock();
        ++ticksDone_;
        changed_.notify_all();
    }
}

void PeriodicTask::tick()
{
    std::unique_lock<std::mutex> lock(mutex_);
    ++ticksPosted_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return stopping_ || ticksDone_ == ticksPosted_; });
}

} // namespace platform
