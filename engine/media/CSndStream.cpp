#include "media/CSndStream.h"

#include "media/CSound4.h"
#include "media/CStreamedWAV.h"
#include "media/MediaWindow.h"
#include "platform/DebugOutput.h"
#include "platform/SoundDevice.h"
#include "script/CMC_ObjectsContainer.h"

#include <algorithm>

namespace {

// The ring is queued in blocks of 100 ms, so that a refill every 50 ms keeps it nearly full.
constexpr uint32_t kBlocksPerRing = 12;

// The streams alive, for the frame's delivery of their loop signals; main thread only.
std::vector<CSndStream*>& liveStreams()
{
    static std::vector<CSndStream*> streams;
    return streams;
}

bool isAlive(CSndStream* stream)
{
    const std::vector<CSndStream*>& streams = liveStreams();
    return std::find(streams.begin(), streams.end(), stream) != streams.end();
}

} // namespace

CSndStream::CSndStream(MediaWindow* window)
    : window_(window)
{
    CSound4::CreatePrimarySoundBuffer(window);
    liveStreams().push_back(this);
}

CSndStream::CSndStream(MediaWindow* window, const CXString& name)
    : CSndStream(window)
{
    Open(name);
}

CSndStream::~CSndStream()
{
    Stop();
    Close();
    reader_.reset();
    std::erase(liveStreams(), this);
}

bool CSndStream::Open(const CXString& name)
{
    if (setUpBuffer(name))
        opened_ = true;
    return opened_;
}

bool CSndStream::setUpBuffer(const CXString& name)
{
    stopRefills();
    reader_ = std::make_unique<CStreamedWAV>(window_, name, &buffer_, &format_);
    if (reader_->LastError() != 0) {
        setErrorCode(reader_->LastError());
        reader_.reset();
        buffer_ = nullptr;
        return false;
    }
    foundEnd_ = false;
    donePlaying_ = false;
    // A file found but not fit to stream leaves no sound: the stream stays silent.
    if (buffer_ != nullptr) {
        bufferSize_ = reader_->GetBufferSize();
        blockSize_ = std::max<uint32_t>(bufferSize_ / kBlocksPerRing / format_.blockAlign, 1) * format_.blockAlign;
        fullFill();
    }
    return true;
}

std::vector<uint8_t> CSndStream::silentBlock(uint32_t count) const
{
    return std::vector<uint8_t>(count, format_.bitsPerSample == 8 ? 0x80 : 0x00);
}

void CSndStream::queue(const std::vector<uint8_t>& samples, uint32_t bytes)
{
    if (bytes > 0 && !buffer_->queue(samples.data(), bytes))
        platform::debugOutput("TimeFunc() could not lock DirectSoundBuffer\n");
}

uint32_t CSndStream::readSamples(uint8_t* dest, uint32_t count, bool wrap, int* wraps)
{
    auto read = static_cast<uint32_t>(reader_->Read(static_cast<int>(count), dest));
    while (wrap && read < count) {
        reader_->StartRead();
        const int more = reader_->Read(static_cast<int>(count - read), dest + read);
        // Data of no length would start over for ever: the rest stays silent.
        if (more <= 0)
            break;
        read += static_cast<uint32_t>(more);
        ++*wraps;
    }
    return read;
}

void CSndStream::fullFill()
{
    buffer_->clear();
    // A file shorter than the ring fills it over and over, looping or not.
    std::vector<uint8_t> ring = silentBlock(bufferSize_);
    int wraps = 0;
    readSamples(ring.data(), bufferSize_, true, &wraps);
    for (uint32_t offset = 0; offset < bufferSize_; offset += blockSize_)
        buffer_->queue(ring.data() + offset, std::min(blockSize_, bufferSize_ - offset));
}

void CSndStream::TimeFunc()
{
    uint32_t played = buffer_->unqueuePlayed();
    if (foundEnd_) {
        if (buffer_->queuedBytes() == 0)
            donePlaying_ = true;
        return;
    }
    // Stopped: what is still queued plays out, and nothing follows.
    if (donePlaying_)
        return;
    while (played > 0 && !foundEnd_) {
        const uint32_t count = std::min(played, blockSize_);
        played -= count;
        std::vector<uint8_t> block = silentBlock(count);
        int wraps = 0;
        const uint32_t read = readSamples(block.data(), count, looped_, &wraps);
        loopsToSignal_ += wraps;
        // The frame loop may sleep for long while nothing else is due.
        if (wraps > 0 && window_ != nullptr)
            window_->wake();
        if (looped_) {
            queue(block, count);
        } else {
            foundEnd_ = read < count;
            queue(block, read);
        }
    }
    // The queue ran dry before this refill came: it goes on.
    if (!buffer_->isPlaying() && buffer_->queuedBytes() > 0)
        buffer_->play();
}

void CSndStream::stopRefills()
{
    if (refills_ && refills_->stop())
        refills_.reset();
}

void CSndStream::Play(bool loop)
{
    if (buffer_ == nullptr)
        return;
    stopRefills();
    looped_ = loop;
    if (platform::SoundDevice* device = CSound4::getDirectSound())
        refills_ = device->startTask(kRefillMs, [this] { TimeFunc(); });
    buffer_->play();
    playing_ = true;
}

void CSndStream::Stop()
{
    if (buffer_ == nullptr)
        return;
    donePlaying_ = true;
    stopRefills();
    if (playing_) {
        playing_ = false;
        buffer_->stop();
    }
}

void CSndStream::Close()
{
    if (buffer_ == nullptr || !opened_)
        return;
    Stop();
    reader_.reset();
    buffer_ = nullptr;
    opened_ = false;
}

void CSndStream::Resume()
{
    if (buffer_ == nullptr)
        return;
    stopRefills();
    bufferSize_ = reader_->GetBufferSize();
    foundEnd_ = false;
    donePlaying_ = false;
    const int32_t reached = reader_->getPosition();
    const int32_t back = 2 * static_cast<int32_t>(bufferSize_);
    reader_->setPosition(reached > back ? reached - back : 0);
    fullFill();
    Play(false);
}

bool CSndStream::IsPlaying() const
{
    return playing_ && !donePlaying_;
}

void CSndStream::setVolume(int volume)
{
    if (buffer_ != nullptr)
        buffer_->setVolume(volume);
}

void CSndStream::setPan(int pan)
{
    if (buffer_ != nullptr)
        buffer_->setPan(pan);
}

void CSndStream::setFreq(int frequency)
{
    if (buffer_ != nullptr)
        buffer_->setFrequency(frequency);
}

int CSndStream::getVolume() const
{
    return buffer_ != nullptr ? buffer_->volume() : 0;
}

void CSndStream::loopStarted()
{
    // Without a scene running, nobody hears of the loop.
    if (CMC_ObjectsContainer* scene = window_ != nullptr ? window_->getRunningScene() : nullptr)
        scene->onSignal(CXString("ONMUSICLOOPED"));
}

bool CSndStream::hasLoopsToSignal()
{
    const std::vector<CSndStream*>& streams = liveStreams();
    return std::any_of(streams.begin(), streams.end(), [](CSndStream* stream) { return stream->loopsToSignal_ > 0; });
}

void CSndStream::flushLoopSignals()
{
    // A loop's behaviour may end or make streams: walk a copy, and skip those gone since.
    const std::vector<CSndStream*> streams = liveStreams();
    for (CSndStream* stream : streams) {
        for (int loops = isAlive(stream) ? stream->loopsToSignal_.exchange(0) : 0; loops > 0 && isAlive(stream); --loops)
            stream->loopStarted();
    }
}
