#include "graphics/CMovieSound.h"

#include "platform/SoundDevice.h"
#include "platform/SoundQueue.h"
#include "platform/VideoDecodeWorker.h"
#include "platform/WaveFormat.h"

#include <algorithm>

namespace {

constexpr int kBytesPerFrame = CMovieSound::kFormat.channels * 2;
// Longer stretches since a restart than any video runs; keeps the frame arithmetic in range.
constexpr int64_t kLongestStretch = int64_t{1} << 40;

platform::WaveFormat queueFormat()
{
    platform::WaveFormat format;
    format.formatTag = platform::WaveFormat::kPcm;
    format.channels = CMovieSound::kFormat.channels;
    format.samplesPerSec = CMovieSound::kFormat.sampleRate;
    format.blockAlign = kBytesPerFrame;
    format.avgBytesPerSec = format.samplesPerSec * format.blockAlign;
    format.bitsPerSample = 16;
    return format;
}

} // namespace

std::unique_ptr<CMovieSound> CMovieSound::create(platform::SoundDevice* device)
{
    if (device == nullptr)
        return nullptr;
    std::unique_ptr<platform::SoundQueue> queue = device->createQueue(queueFormat());
    if (queue == nullptr || !queue->isValid())
        return nullptr;
    return std::unique_ptr<CMovieSound>(new CMovieSound(std::move(queue)));
}

CMovieSound::CMovieSound(std::unique_ptr<platform::SoundQueue> queue)
    : queue_(std::move(queue))
{
}

CMovieSound::~CMovieSound() = default;

int64_t CMovieSound::frameAt(int64_t time) const
{
    const int64_t elapsed = std::clamp<int64_t>(time - origin_, 0, kLongestStretch);
    return elapsed * kFormat.sampleRate / platform::kVideoTimeUnitsPerSecond;
}

void CMovieSound::restart(int64_t time)
{
    queue_->clear();
    waiting_.clear();
    origin_ = time;
    received_ = 0;
    queued_ = 0;
    played_ = 0;
}

void CMovieSound::keepUp(platform::VideoDecodeWorker& worker, int64_t clock)
{
    const size_t before = waiting_.size();
    worker.takeAudio(waiting_);
    received_ += static_cast<int64_t>((waiting_.size() - before) / kFormat.channels);
    if (held_)
        return;
    played_ += queue_->unqueuePlayed() / kBytesPerFrame;
    const int64_t now = frameAt(clock);
    const int64_t slack = kSlack * kFormat.sampleRate / platform::kVideoTimeUnitsPerSecond;
    // A sound that ran dry starts again in step with the clock; one that the device plays
    // too slowly is cut back to it.
    const bool dry = queue_->queuedBytes() == 0;
    if (dry || now - played_ > slack) {
        queue_->clear();
        queued_ = played_ = std::max(queued_, now);
    }
    const int64_t lead = kLead * kFormat.sampleRate / platform::kVideoTimeUnitsPerSecond;
    queueWaiting(now + lead - queued_);
    if (!queue_->isPlaying() && queue_->queuedBytes() > 0)
        queue_->play();
}

void CMovieSound::queueWaiting(int64_t count)
{
    const int64_t firstWaiting = received_ - static_cast<int64_t>(waiting_.size() / kFormat.channels);
    // Frames that the sound has skipped past are dropped.
    const int64_t skipped = std::clamp<int64_t>(queued_ - firstWaiting, 0, received_ - firstWaiting);
    const int64_t taken = std::clamp<int64_t>(count, 0, received_ - firstWaiting - skipped);
    const auto sample = [](int64_t frame) { return static_cast<std::ptrdiff_t>(frame * kFormat.channels); };
    if (taken > 0
        && queue_->queue(waiting_.data() + sample(skipped), static_cast<uint32_t>(taken * kBytesPerFrame)))
        queued_ += taken;
    waiting_.erase(waiting_.begin(), waiting_.begin() + sample(skipped + taken));
}

void CMovieSound::hold()
{
    held_ = true;
    queue_->stop();
}

void CMovieSound::goOn()
{
    held_ = false;
    queue_->play();
}
