#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "platform/WaveFormat.h"

#include <cstdint>
#include <memory>

class CFile;
class MediaWindow;

namespace platform {
class SoundQueue;
}

// Opens a WAV file for streaming: reads its format, makes the sound the stream plays, and then
// hands out the samples of its "data" chunk piece by piece. The file lies loose in the data
// folders or, when it is not found there and the archive "data.bf" is open, in the archive;
// either way the reader has a file of its own, so the thread that streams never shares a file
// position with anyone.
class CStreamedWAV : public CXObject {
public:
    static constexpr int ERROR_OPEN = 2000;

    // Opens `name`; the sound made for it, or null, goes to *bufferSlot, and its format to
    // *format. The error code is 0 when the file was found; a file found but not streamable
    // leaves the slot null.
    CStreamedWAV(MediaWindow* window, const CXString& name, platform::SoundQueue** bufferSlot, platform::WaveFormat* format);
    ~CStreamedWAV() override;
    CStreamedWAV(const CStreamedWAV&) = delete;
    CStreamedWAV& operator=(const CStreamedWAV&) = delete;

    void Open(const CXString& name);
    // Parses the reader's file from `start` on, `length` bytes, and makes the sound: whether
    // it was made.
    bool Open(int32_t start, int32_t length);

    // Back to the first sample.
    void StartRead();
    // Positions count bytes of samples from the first one, in whole frames, within the data.
    void setPosition(int32_t position);
    int32_t getPosition() const { return readCount_; }
    // Up to count bytes of samples, never past the end of the "data" chunk: how many.
    int Read(int count, unsigned char* dest);

    // The size of the stream's ring: 1.2 seconds of sound in whole frames.
    uint32_t GetBufferSize() const { return bufferSize_; }
    platform::SoundQueue* getBuffer() const { return buffer_.get(); }

    void Close();
    void Flush();

private:
    MediaWindow* window_;
    std::unique_ptr<CFile> file_;
    std::unique_ptr<platform::SoundQueue> buffer_;
    platform::WaveFormat* format_;
    // The first sample's offset in the file, and the bytes of samples from there.
    int32_t dataStart_ = 0;
    int32_t dataLength_ = 0;
    uint32_t bufferSize_ = 0;
    // Bytes of samples read since the last restart.
    int32_t readCount_ = 0;
};
