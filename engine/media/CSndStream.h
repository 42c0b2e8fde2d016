#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "platform/WaveFormat.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class CStreamedWAV;
class MediaWindow;

namespace platform {
class PeriodicTask;
class SoundQueue;
} // namespace platform

// Plays a long WAV file without loading it whole: 1.2 seconds of sound wait queued on the
// device, and a worker tops the queue up every 50 ms with the next samples of the file. At the
// end of the data the stream either lets the queue play out, or, looping, goes on at the start
// of the data without a gap; each such loop is signalled on the main thread at the next frame.
class CSndStream : public CXObject {
public:
    static constexpr uint32_t kRefillMs = 50;

    explicit CSndStream(MediaWindow* window);
    CSndStream(MediaWindow* window, const CXString& name);
    ~CSndStream() override;
    CSndStream(const CSndStream&) = delete;
    CSndStream& operator=(const CSndStream&) = delete;

    bool Open(const CXString& name);
    // Plays from what is queued, with refills; nothing without a sound.
    void Play(bool loop);
    // Ends the refills, waiting for one in progress, and halts the sound. Play then plays
    // only what is still queued; Resume goes on.
    void Stop();
    void Pause() { Stop(); }
    void Close();
    // Starts again two rings before the place reached in the file, not looping.
    void Resume();
    // False once a stream that does not loop has played out, and after Stop.
    bool IsPlaying() const;

    void setVolume(int volume);
    void setPan(int pan);
    void setFreq(int frequency);
    // 0 without a sound.
    int getVolume() const;

    // The frame's delivery of the loops that the workers found since the last frame.
    static void flushLoopSignals();
    // A worker found a loop that no frame has signalled yet.
    static bool hasLoopsToSignal();

protected:
    // A looping stream started over: the current scene hears "ONMUSICLOOPED".
    virtual void loopStarted();

private:
    bool setUpBuffer(const CXString& name);
    void fullFill();
    void TimeFunc();
    void stopRefills();
    // Reads samples into dest; with `wrap` it starts over at the end of the data as often as
    // needed, counting each time in *wraps. How many bytes hold samples.
    uint32_t readSamples(uint8_t* dest, uint32_t count, bool wrap, int* wraps);
    // A block of count bytes of silence, to be filled with samples.
    std::vector<uint8_t> silentBlock(uint32_t count) const;
    void queue(const std::vector<uint8_t>& samples, uint32_t bytes);

    MediaWindow* window_;
    std::unique_ptr<CStreamedWAV> reader_;
    platform::SoundQueue* buffer_ = nullptr;
    std::unique_ptr<platform::PeriodicTask> refills_;
    platform::WaveFormat format_;
    bool opened_ = false;
    bool playing_ = false;
    bool looped_ = false;
    uint32_t bufferSize_ = 0;
    uint32_t blockSize_ = 0;
    // Written by the worker and the main thread, read by both.
    std::atomic<bool> foundEnd_{false};
    std::atomic<bool> donePlaying_{false};
    std::atomic<int> loopsToSignal_{0};
};
